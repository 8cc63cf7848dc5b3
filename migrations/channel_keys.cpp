#include "migrations/channel_keys.h"

#include <QRegularExpression>
#include <memory>

#include "app/log.h"
#include "db/query.h"
#include "migrations/endpoints.h"
#include "migrations/migration_frame.h"
#include "text/string_utils.h"
#include "text/url_tools.h"
#include "text/variant_convert.h"

namespace mt {

namespace {

const QString kChannelCategory = QStringLiteral("Mobile_Naver_Channel");

QString EscapeDots(const QString& host) {
  QString s = host;
  return s.replace(QLatin1Char('.'), QLatin1String("\\."));
}

// The built-in pattern service: one expression object serves both patterns,
// as the two tests never overlap.
class LinkMatcher {
 public:
  // Length of the match at the start of link, or -1 without one.
  qsizetype PrefixLength(const QString& pattern, const QString& link) {
    re_.setPattern(pattern);
    if (!re_.isValid())
      throw DbError(rterr::kInvalidCall,
                    QStringLiteral("Invalid regular expression: ") + re_.errorString());
    const QRegularExpressionMatch m = re_.match(link);
    return m.hasMatch() ? m.capturedLength(0) : -1;
  }

 private:
  QRegularExpression re_{QString(), QRegularExpression::CaseInsensitiveOption};
};

LinkPatternService& ReplacedService() {
  static LinkPatternService service;
  return service;
}

}  // namespace

void SetLinkPatternService(LinkPatternService service) { ReplacedService() = std::move(service); }

QString GetActionContentKey(int32_t lFuncType, const QString& Arg1, const QString& Arg2,
                            const QString& Arg3, const QString& Detail,
                            const QString& SiteCategory, int32_t IsMobile) {
  const QString procedure = QStringLiteral("modMain.GetActionContentKey");
  WriteLog(procedure + QStringLiteral(" Start. lFuncType=") + QString::number(lFuncType) +
           QStringLiteral(", Arg1=") + Arg1 + QStringLiteral(", Arg2=") + Arg2 +
           QStringLiteral(", Arg3=") + Arg3 + QStringLiteral(", Detail=") + Detail +
           QStringLiteral(", SiteCategory=") + SiteCategory + QStringLiteral(", IsMobile=") +
           QString::number(IsMobile));
  int32_t code = 0;
  QString key;
  int step = 0;
  try {
    const QString link = Arg2;
    LinkPatternService prefixLength = ReplacedService();
    if (!prefixLength) {
      prefixLength = [matcher = std::make_shared<LinkMatcher>()](const QString& pattern,
                                                                 const QString& text) {
        return matcher->PrefixLength(pattern, text);
      };
    }

    // A link on the blog host (desktop or "m." mobile): blog id + "/" + post.
    step = 1;
    const qsizetype blogPrefix = prefixLength(
        QStringLiteral("^https?:\\/\\/(m\\.)?") + EscapeDots(endpoints::BlogHost) +
            QStringLiteral("\\/"),
        link);
    if (blogPrefix >= 0) {
      code = 102;
      const QString blogId = GetQueryStringValue(link, QStringLiteral("blogId"));
      if (!blogId.isEmpty()) {
        key = blogId + QLatin1Char('/') + GetQueryStringValue(link, QStringLiteral("logNo"));
      } else {
        key = link.mid(blogPrefix);
        key.replace(QStringLiteral("?Redirect=Log&logNo="), QStringLiteral("/"));
      }
    }

    // A blog's personal host: name + "." + alias domain.
    if (key.isEmpty()) {
      step = 2;
      const qsizetype aliasPrefix = prefixLength(
          QStringLiteral("^https?:\\/\\/.*\\.") + EscapeDots(endpoints::BlogAliasDomain) +
              QStringLiteral("\\/"),
          link);
      if (aliasPrefix >= 0) {
        code = 102;
        const QString firstLabel = endpoints::BlogAliasDomain.section(QLatin1Char('.'), 0, 0);
        int searchPos = 1;
        const QString name = GetStringBetween(link, QStringLiteral("://"),
                                              QLatin1Char('.') + firstLabel, searchPos);
        const QString rest = link.mid(aliasPrefix);
        if (!name.isEmpty() && !rest.isEmpty()) key = name + QLatin1Char('/') + rest;
      }
    }

    // A channel task is keyed by its link, or by its keyword without one.
    if (key.isEmpty() && SiteCategory == kChannelCategory) {
      step = 3;
      code = 102;
      key = !Arg2.isEmpty() ? Arg2 : Arg1;
    }

    if (key.isEmpty()) {
      step = 4;
      key = link;
    }
  } catch (...) {
    const CaughtError e = CurrentError();
    LogMigrationFailure(procedure, e.number, e.description, step);
  }
  const QString result = QString::number(code) + QLatin1Char('|') + key;
  WriteLog(procedure + QStringLiteral(" end. ") + result);
  return result;
}

void p_DBUpgrade_338() {
  RunMigration(QStringLiteral("modMain.p_DBUpgrade_338"), [](MigrationContext& ctx) {
    int32_t affected = 0;
    ctx.Step(1);
    DBExecute(QStringLiteral("UPDATE TTaskLog SET ContentKey=\"102|\" + Arg1 WHERE SiteCategory "
                             "LIKE \"Mobile_Naver_Channel\""),
              affected);

    // Every channel task updates its own log rows.
    ctx.LookUpBy(QStringLiteral("TTaskLog"), {QStringLiteral("TaskIDX")});
    ctx.Step(2);
    Recordset* rs = ctx.OpenUpdatable(QStringLiteral(
        "SELECT IDX, ContentKey, FunctionType, Arg1, Arg2, SiteCategory FROM TTaskList WHERE "
        "SiteCategory LIKE 'Mobile_Naver_Channel' ORDER BY IDX"));
    if (DBHasRecords(rs)) {
      while (!rs->Eof()) {
        ctx.Step(3);
        // A Null FunctionType has no number: that fails here and ends the migration.
        const int32_t functionType = ToLong(rs->Value(QStringLiteral("FunctionType")));
        const QVariant arg1 = rs->Value(QStringLiteral("Arg1"));
        const QString key = GetActionContentKey(
            functionType, TextOrEmpty(arg1), TextOrEmpty(rs->Value(QStringLiteral("Arg2"))),
            QString(), QString(), TextOrEmpty(rs->Value(QStringLiteral("SiteCategory"))), -1);
        if (!key.isEmpty()) {
          ctx.Step(4);
          const QString idx = QString::number(ToLong(rs->Value(QStringLiteral("IDX"))));
          rs->SetValue(QStringLiteral("ContentKey"), key);
          rs->Update();
          ctx.Step(5);
          DBExecute(QStringLiteral("UPDATE TTaskLog SET ContentKey=") + DBQuoteValue(key) +
                        QStringLiteral(" WHERE TaskIDX=") + idx + QStringLiteral(" AND Arg1=") +
                        DBQuoteValue(arg1) +
                        QStringLiteral(" AND SiteCategory LIKE 'Mobile_Naver_Channel' AND "
                                       "ExchangeLogSN=0 AND WebManageLogSN=0 AND CrawlingSn=0"),
                    affected);
        }
        rs->MoveNext();
      }
    }
    ctx.ReleaseRecordset();

    ctx.Step(6);
    rs = ctx.OpenUpdatable(
        QStringLiteral("SELECT IDX, ContentKey FROM TUserActions WHERE ContentKey LIKE '122|%'"));
    if (DBHasRecords(rs)) {
      while (!rs->Eof()) {
        ctx.Step(7);
        const QStringList parts =
            TextOf(rs->Value(QStringLiteral("ContentKey"))).split(QLatin1Char('|'));
        const QString second = parts.size() > 1 ? parts.at(1) : QString();
        rs->SetValue(QStringLiteral("ContentKey"), QStringLiteral("102|") + second);
        rs->Update();
        rs->MoveNext();
      }
    }
  });
}

}  // namespace mt

