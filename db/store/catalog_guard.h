// Keeps ordinary statements away from the engine's own objects: the catalogue
// tables and the triggers and scratch tables named "_mt_...". Only the
// engine's own code changes them.
//
// Promises:
//  - While a UserStatement scope is open on the handle, preparing a statement
//    that would insert, update or delete rows of such a table, create, drop
//    or alter one, or create or drop a trigger or index on or named like one,
//    fails; CatalogRefusal() then names the object. Reading them is allowed.
//  - Outside such a scope (the engine's own statements) nothing is refused.
#pragma once

#include <QString>

struct sqlite3;

namespace mt::engine {

// True for the names of the engine's own objects ("_mt_...", any case).
bool IsEngineObjectName(const QString& name);

// The failure a refused statement reports.
QString CatalogRefusal(const QString& name);

class CatalogGuard {
 public:
  // Installs the guard as the handle's authorizer.
  void Install(sqlite3* db);

  // The object the last refused statement named; empty when none was refused.
  const QString& refused() const { return refused_; }

  // Marks the statements prepared meanwhile as ordinary statements.
  class UserStatement {
   public:
    explicit UserStatement(CatalogGuard& guard) : guard_(guard) {
      guard_.active_ = true;
      guard_.refused_.clear();
    }
    ~UserStatement() { guard_.active_ = false; }
    UserStatement(const UserStatement&) = delete;
    UserStatement& operator=(const UserStatement&) = delete;

   private:
    CatalogGuard& guard_;
  };

 private:
  static int Authorize(void* self, int action, const char* a, const char* b, const char* dbName,
                       const char* trigger);

  bool active_ = false;
  QString refused_;
};

}  // namespace mt::engine
