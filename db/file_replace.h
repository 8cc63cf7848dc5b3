// Puts a finished database file (a processed work copy, a compacted copy) in
// place of the database file so that the database path never stops naming a
// whole database: not after a failure, not after a crash or a kill.
//
// How: the new file is renamed over the old one with rename(2), which swaps
// the directory entry atomically; the old file disappears in the same step,
// so there is no moment with no file at the path and no moment with half a
// file. rename(2) works only inside one file system, so when the source lies
// elsewhere (the program folder on another volume) it is first copied into a
// hidden staging file in the target's folder, flushed to disk, and that
// staging file is renamed over the target. The source is deleted only after
// the rename has succeeded (and, for a same-volume rename, is gone anyway).
//
// Promises:
//  - A target that is a symbolic link stays a link: the file it names (its
//    canonical path) is replaced, and staging happens beside that file.
//  - The new file keeps the target's mode, and its owner and group where the
//    process may set them, whichever way it reaches the target.
//  - A rename refused as crossing devices (EXDEV: another file system, or
//    the same one reached through another mount) falls back to the copy
//    beside the target, so a swap never fails for where the files lie.
//  - Stage() and Commit() throw DbError on failure and then leave the target
//    exactly as it was and the source where it was; a staging file that was
//    not committed is deleted by the destructor.
//  - After Commit() the target holds the source's bytes, durably (file and
//    directory entry flushed), and the source no longer exists.
//  - Both refuse while a write-ahead log ("-wal") lies beside the source or
//    the target: beside the source it holds changes the file lacks, beside
//    the target it would be replayed into the new database.
#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>

namespace mt {

// The code of a failed file operation ("Path/File access error").
constexpr int32_t kFileAccessError = 75;

class FileReplacement {
 public:
  FileReplacement(QString source, QString target);
  ~FileReplacement();
  FileReplacement(const FileReplacement&) = delete;
  FileReplacement& operator=(const FileReplacement&) = delete;

  // Makes the source renameable into the target's folder (copies it there when
  // the two lie on different file systems). Idempotent.
  void Stage();
  // Renames the staged file over the target and removes the source.
  void Commit();

 private:
  QString source_, target_;
  QString staged_;      // the file to rename over the target once staged
  bool copied_ = false;  // staged_ is our own copy in the target folder
  bool committed_ = false;

  void CopyBesideTarget();
};

// Gives file the mode of like, and its owner and group where the process may;
// nothing when like does not exist. Throws DbError when the mode cannot be set.
void KeepOwnerAndMode(const QString& file, const QString& like);

// Copies the file from into a new file to (refused when to exists), with
// from's permissions, keeping the window painted; a failed copy is removed.
// Throws DbError.
void CopyWholeFile(const QString& from, const QString& to);

// QFile::remove(path), but the blocks of a big file are given back while the
// window stays painted, not during the call that removes its last name
// (Commit() replaces a big target the same way).
bool RemoveFile(const QString& path);

// Stage() and Commit() in one call.
void ReplaceFile(const QString& source, const QString& target);

// Throws DbError when a write-ahead log ("-wal") lies beside path: the
// database is still open somewhere, or its last changes are not in the file.
void RefuseOpenDatabase(const QString& path);

// The staging files a killed replacement of target may have left beside the
// file target names, and the private work folders (WorkFolderPattern) a
// killed command left there.
QStringList LeftoverStagingFiles(const QString& target);

// The pattern (QTemporaryDir's, "XXXXXX" at its end) of a private work
// folder beside the file target names: <folder>/.<name>.work-XXXXXX.
QString WorkFolderPattern(const QString& target);

// Deletes a database file of ours together with its "-wal", "-shm" and
// "-journal" files;
// false when one of them could not be deleted.
bool RemoveDatabaseFiles(const QString& path);

// Whether two paths name one file: the same inode (hard links, bind mounts,
// symbolic links) or, when one does not exist, the same canonical path.
bool SameFile(const QString& a, const QString& b);

// The path of the working file `name` in `folder` for a run on `database`:
// folder/name, unless that names the database itself or one of its journal
// files ("-wal", "-shm", "-journal"); then the name with "~" before its
// extension (tmp.mdb -> tmp~.mdb), which cannot be the database as well.
QString WorkingFilePath(const QString& folder, const QString& name, const QString& database);

// Flushes the folder that holds path, making a rename into it durable.
// Best effort: nothing is reported.
void SyncFolderOf(const QString& path);

}  // namespace mt
