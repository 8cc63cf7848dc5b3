#include "migrations/user_id_backfill.h"

#include "db/query.h"
#include "migrations/migration_frame.h"
#include "text/variant_convert.h"

namespace mt {

namespace {

QString Decimal(const QVariant& number) { return QString::number(ToLong(number)); }

// The account's name, or empty when there is none.
QString LookupName(const QString& select, const QString& userIdx) {
  return TextOrEmpty(DBGetValue(select + userIdx, QStringLiteral("")));
}

void Execute(const QString& sql) {
  int32_t affected = 0;
  DBExecute(sql, affected);
}

}  // namespace

void p_DBUpgrade_335() {
  RunMigration(QStringLiteral("modMain.p_DBUpgrade_335"), [](MigrationContext& ctx) {
    const QString userIdxCol = QStringLiteral("UserIDX");
    const QString userIdCol = QStringLiteral("UserId");

    // Every row visited updates its account's log and action rows.
    ctx.LookUpBy(QStringLiteral("TTaskLog"), {userIdxCol});
    ctx.LookUpBy(QStringLiteral("TActionList"), {userIdxCol});
    // Pass 1: the user actions; their accounts' log and action rows follow.
    ctx.Step(10);
    Recordset* rs = ctx.OpenUpdatable(QStringLiteral(
        "SELECT IDX, UserIDX, UserId FROM TUserActions WHERE UserIDX > 0 AND "
        "IIF(ISNULL(UserId), '', UserId) LIKE ''"));
    if (DBHasRecords(rs)) {
      while (!rs->Eof()) {
        ctx.Step(11);
        const QString userIdx = Decimal(rs->Value(userIdxCol));
        const QString name =
            LookupName(QStringLiteral("SELECT  UserId FROM TUserIdIPs WHERE IDX="), userIdx);
        if (!name.isEmpty()) {
          ctx.Step(12);
          rs->SetValue(userIdCol, name);
          ctx.Step(13);
          Execute(QStringLiteral("UPDATE TTaskLog SET UserId=") + DBQuoteValue(name) +
                  QStringLiteral(" WHERE UserIDX=") + userIdx);
          ctx.Step(14);
          Execute(QStringLiteral("UPDATE TActionList SET UserId=") + DBQuoteValue(name) +
                  QStringLiteral(" WHERE UserIDX=") + userIdx);
          ctx.Step(15);
          rs->Update();
        }
        rs->MoveNext();
      }
    }
    ctx.ReleaseRecordset();

    // Pass 2: log rows whose account had no user action to fill them.
    ctx.Step(20);
    rs = ctx.OpenUpdatable(QStringLiteral(
        "SELECT TaskIDX, LogDate, ActionType, UserIDX, UserId FROM TTaskLog WHERE UserIDX > 0 "
        "AND IIF(ISNULL(UserId), '', UserId) LIKE ''"));
    if (DBHasRecords(rs)) {
      while (!rs->Eof()) {
        ctx.Step(21);
        const QString userIdx = Decimal(rs->Value(userIdxCol));
        const QString name =
            LookupName(QStringLiteral("SELECT UserId FROM TUserIdIPs WHERE IDX="), userIdx);
        if (!name.isEmpty()) {
          ctx.Step(22);
          rs->SetValue(userIdCol, name);
          ctx.Step(23);
          Execute(QStringLiteral("UPDATE TActionList SET UserId=") + DBQuoteValue(name) +
                  QStringLiteral(" WHERE UserIDX=") + userIdx);
          ctx.Step(24);
          rs->Update();
        }
        rs->MoveNext();
      }
    }
    ctx.ReleaseRecordset();

    // Pass 3: action rows that neither earlier pass reached.
    ctx.Step(30);
    rs = ctx.OpenUpdatable(QStringLiteral(
        "SELECT IDX, UserIDX, UserId FROM TActionList WHERE UserIDX > 0 AND "
        "IIF(ISNULL(UserId), '', UserId) LIKE ''"));
    if (DBHasRecords(rs)) {
      while (!rs->Eof()) {
        ctx.Step(31);
        const QString userIdx = Decimal(rs->Value(userIdxCol));
        const QString name =
            LookupName(QStringLiteral("SELECT UserId FROM TUserIdIPs WHERE IDX="), userIdx);
        if (!name.isEmpty()) {
          ctx.Step(32);
          rs->SetValue(userIdCol, name);
          rs->Update();
        }
        rs->MoveNext();
      }
    }
  });
}

}  // namespace mt
