#include "text/string_builder.h"

#include <limits>

#include "db/engine.h"

namespace mt {

namespace {

// The builder keeps its counters as 32-bit byte counts (two bytes a
// character); anything that would not fit there is an overflow.
constexpr qint64 kMaxChars = std::numeric_limits<int32_t>::max() / 2;

[[noreturn]] void ThrowSubscript(const char* procedure) {
  throw DbError(cStringBuilder::kErrSubscript, QStringLiteral("Subscript out of range"),
                QString::fromLatin1(procedure));
}

[[noreturn]] void ThrowOverflow(const char* procedure) {
  throw DbError(cStringBuilder::kErrOverflow, QStringLiteral("Overflow"),
                QString::fromLatin1(procedure));
}

}  // namespace

void cStringBuilder::SetChunkSize(int32_t chunkChars) {
  if (chunkChars > kMaxChars || chunkChars < -kMaxChars) ThrowOverflow("cStringBuilder.ChunkSize");
  if (chunkChars < 1) {
    throw DbError(kErrInvalidArgument, QStringLiteral("Invalid procedure call or argument"),
                  QStringLiteral("cStringBuilder.ChunkSize"));
  }
  chunk_ = chunkChars;
}

void cStringBuilder::EnsureCapacity(qint64 needed) {
  if (needed <= capacity_) return;
  const qint64 chunks = (needed - capacity_ + chunk_ - 1) / chunk_;
  const qint64 grown = capacity_ + chunks * chunk_;
  if (grown > kMaxChars) ThrowOverflow("cStringBuilder.Append");
  // One extension of the buffer for the whole growth step.
  buffer_.append(QString(static_cast<qsizetype>(grown - capacity_), QLatin1Char(' ')));
  capacity_ = static_cast<int32_t>(grown);
}

void cStringBuilder::SetTheString(const QString& text) {
  if (text.isEmpty()) {
    Clear();
    return;
  }
  EnsureCapacity(text.size());
  buffer_.replace(0, text.size(), text);
  length_ = static_cast<int32_t>(text.size());
}

void cStringBuilder::Clear() {
  buffer_.clear();
  buffer_.squeeze();
  length_ = 0;
  capacity_ = 0;
}

void cStringBuilder::Append(const QString& text) {
  if (text.isEmpty()) return;
  EnsureCapacity(qint64(length_) + text.size());
  buffer_.replace(length_, text.size(), text);
  length_ += static_cast<int32_t>(text.size());
}

void cStringBuilder::AppendNL(const QString& text) {
  Append(text);
  Append(QStringLiteral("\r\n"));
}

void cStringBuilder::Insert(int32_t index, const QString& text) {
  if (index < 0 || index > length_) ThrowSubscript("cStringBuilder.Insert");
  if (text.isEmpty()) return;
  EnsureCapacity(qint64(length_) + text.size());
  // The spare spaces at the end make room: take as many off the end as are
  // inserted, so the buffer keeps its capacity.
  buffer_.chop(text.size());
  buffer_.insert(index, text);
  length_ += static_cast<int32_t>(text.size());
}

void cStringBuilder::Remove(int32_t index, int32_t count) {
  if (count < 0 || index < 0 || index > length_ || qint64(index) + count > length_) {
    ThrowSubscript("cStringBuilder.Remove");
  }
  if (count == 0) return;
  buffer_.remove(index, count);
  buffer_.append(QString(count, QLatin1Char(' ')));
  length_ -= count;
}

int32_t cStringBuilder::Find(const QString& toFind, int32_t startIndex, int32_t compare) const {
  const qsizetype from = startIndex >= 1 ? startIndex - 1 : 0;
  if (from > length_) return 0;
  // Searching the content alone is the same as searching the whole buffer and
  // keeping only matches that end inside the content.
  const QStringView content = QStringView(buffer_).left(length_);
  const qsizetype at =
      content.indexOf(toFind, from, compare == 0 ? Qt::CaseSensitive : Qt::CaseInsensitive);
  if (at < 0 || at >= length_) return 0;
  return static_cast<int32_t>(at + 1);
}

void cStringBuilder::HeapMinimize() {
  int32_t capacity = capacity_;
  while (capacity - length_ > chunk_) capacity -= chunk_;
  if (capacity == capacity_) return;
  buffer_.truncate(capacity);
  buffer_.squeeze();
  capacity_ = capacity;
}

}  // namespace mt
