// cStringBuilder: assembles a long text in a buffer larger than the text, so
// that appending many short pieces does not copy the whole text every time.
//
// Promises:
//  - Positions and sizes seen by callers are in characters: Insert and Remove
//    take 0-based positions, Find answers 1-based positions (0 = not found).
//  - The buffer grows by whole chunks (ChunkSize characters, 8192 after
//    creation), never by doubling; Capacity changes only by whole chunks, or
//    to 0 through Clear and an empty SetTheString.
//  - Insert and Remove with a position outside the content throw
//    mt::DbError with code 9 ("Subscript out of range") and change nothing.
//    A size that does not fit the builder's 32-bit byte counters throws
//    mt::DbError with code 6 ("Overflow"). No operation catches its own
//    errors.
//  - Find reports only matches that lie wholly inside the content.
#pragma once

#include <QString>
#include <cstdint>

namespace mt {

class cStringBuilder {
 public:
  static constexpr int32_t kErrSubscript = 9;
  static constexpr int32_t kErrOverflow = 6;
  static constexpr int32_t kErrInvalidArgument = 5;
  static constexpr int32_t kDefaultChunkChars = 8192;

  cStringBuilder() = default;

  int32_t Length() const { return length_; }
  int32_t Capacity() const { return capacity_; }
  int32_t ChunkSize() const { return chunk_; }
  // Sets the growth step in characters. Its size in bytes must fit 32 bits
  // (else Overflow); a step below 1 character could never make room and is
  // refused with error 5.
  void SetChunkSize(int32_t chunkChars);

  QString ToString() const { return buffer_.left(length_); }
  // Replaces the content; an empty text also gives the buffer back.
  void SetTheString(const QString& text);
  void Clear();

  void Append(const QString& text);
  void AppendByVal(QString text) { Append(text); }
  void AppendNL(const QString& text);
  void Insert(int32_t index, const QString& text);
  void InsertByVal(int32_t index, QString text) { Insert(index, text); }
  void Remove(int32_t index, int32_t count);

  // compare: 0 exact, any other value ignores letter case. startIndex is
  // 1-based; values below 1 search from the first character.
  int32_t Find(const QString& toFind, int32_t startIndex = 0, int32_t compare = 0) const;

  // Gives back spare capacity in whole chunks until at most one chunk of
  // spare room is left.
  void HeapMinimize();

 private:
  // Makes the capacity at least `needed` characters, in whole chunks.
  void EnsureCapacity(qint64 needed);

  QString buffer_;  // capacity_ characters: the content, then spaces
  int32_t length_ = 0;
  int32_t capacity_ = 0;
  int32_t chunk_ = kDefaultChunkChars;
};

}  // namespace mt
