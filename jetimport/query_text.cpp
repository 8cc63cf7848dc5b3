#include "jetimport/query_text.h"

#include <QRegularExpression>
#include <QStringList>
#include <map>
#include <memory>

namespace mt::jetimport {
namespace {

// Row kinds (the Attribute column).
enum Attribute {
  kType = 1,
  kParameter = 2,
  kFlags = 3,
  kTable = 5,
  kColumn = 6,
  kJoin = 7,
  kWhere = 8,
  kGroupBy = 9,
  kHaving = 10,
  kOrderBy = 11,
};

// Query kinds (the Flag of the type row).
enum Kind { kSelect = 1, kMakeTable, kAppend, kUpdate, kDelete, kCrosstab, kDataDefinition, kPassThrough, kUnion };

// Bits of the flags row.
constexpr int kSelectStar = 0x01, kDistinct = 0x02, kOwnerAccess = 0x04, kDistinctRow = 0x08, kTop = 0x10,
              kPercent = 0x20;
// Crosstab column and group rows: the pivot and the row headings.
constexpr int kPivot = 0x01, kRowHeading = 0x02;

QString Name(const QString& name) {
  static const QRegularExpression plain(QStringLiteral("^[A-Za-z_][A-Za-z0-9_]*$"));
  return plain.match(name).hasMatch() ? name : QLatin1Char('[') + name + QLatin1Char(']');
}

QString ParameterType(int flag) {
  static const std::map<int, const char*> kTypes = {
      {0, "Value"}, {1, "Bit"}, {2, "Byte"}, {3, "Short"}, {4, "Long"}, {5, "Currency"}, {6, "IEEESingle"},
      {7, "IEEEDouble"}, {8, "DateTime"}, {9, "Binary"}, {10, "Text"}, {11, "LongBinary"}, {12, "Memo"},
      {15, "Guid"}};
  auto it = kTypes.find(flag);
  return QString::fromLatin1(it == kTypes.end() ? "Value" : it->second);
}

// A FROM item: a table (or union part) or a join of two items.
struct FromItem {
  QStringList names;  // the table names and aliases it holds
  QString text;       // a table
  std::shared_ptr<FromItem> left, right;
  QString join;       // " INNER JOIN ", ...
  QStringList on;

  QString Sql() const {
    if (!left) return text;
    auto side = [](const FromItem& i) { return i.left ? QLatin1Char('(') + i.Sql() + QLatin1Char(')') : i.Sql(); };
    QString cond = on.size() == 1 ? on.first() : QLatin1Char('(') + on.join(QStringLiteral(") AND (")) + QLatin1Char(')');
    return side(*left) + join + side(*right) + QStringLiteral(" ON ") + cond;
  }
};

class Builder {
 public:
  explicit Builder(const std::vector<QueryRow>& rows) : rows_(rows) {}

  std::optional<QueryText> Build(QString* why) {
    const QueryRow* type = First(kType);
    if (!type) return Refuse(why, QStringLiteral("the query has no type row"));
    flags_ = First(kFlags) ? First(kFlags)->flag : 0;
    const QString parameters = Parameters();
    QString sql;
    switch (type->flag) {
      case kDataDefinition:
      case kPassThrough:
        if (type->expression.trimmed().isEmpty()) return Refuse(why, QStringLiteral("the query has no text"));
        return QueryText{type->expression.trimmed(), false};
      case kUnion: {
        QStringList parts;
        for (const QueryRow& r : Rows(kTable)) parts << r.expression.trimmed();
        if (parts.size() < 2) return Refuse(why, QStringLiteral("the union query has fewer than two parts"));
        sql = parts.join((flags_ & kDistinct) ? QStringLiteral(" UNION ") : QStringLiteral(" UNION ALL ")) + OrderBy();
        return QueryText{parameters + sql, false};
      }
      case kSelect:
      case kMakeTable:
      case kAppend:
      case kUpdate:
      case kDelete:
      case kCrosstab:
        break;
      default:
        return Refuse(why, QStringLiteral("the query has the unknown kind %1").arg(type->flag));
    }
    std::optional<QString> from = From(why);
    if (!from) return std::nullopt;
    const QString where = Clause(kWhere, QStringLiteral(" WHERE "));
    switch (type->flag) {
      case kUpdate: {
        QStringList sets;
        for (const QueryRow& r : Rows(kColumn)) sets << r.name2 + QStringLiteral(" = ") + r.expression;
        if (sets.isEmpty() || from->isEmpty()) return Refuse(why, QStringLiteral("the update query has no table or no values"));
        sql = QStringLiteral("UPDATE ") + *from + QStringLiteral(" SET ") + sets.join(QStringLiteral(", ")) + where;
        break;
      }
      case kDelete:
        if (from->isEmpty()) return Refuse(why, QStringLiteral("the delete query has no table"));
        sql = QStringLiteral("DELETE ") + Predicate() + Columns(kColumn).join(QStringLiteral(", ")) +
              QStringLiteral(" FROM ") + *from + where;
        sql.replace(QStringLiteral("DELETE  FROM"), QStringLiteral("DELETE FROM"));
        break;
      case kAppend: {
        QStringList targets, values;
        for (const QueryRow& r : Rows(kColumn)) {
          values << Selected(r);
          if (!r.name2.isEmpty()) targets << r.name2;
        }
        if (values.isEmpty()) return Refuse(why, QStringLiteral("the append query has no values"));
        sql = QStringLiteral("INSERT INTO ") + Name(type->name1);
        if (targets.size() == values.size()) sql += QStringLiteral(" (") + targets.join(QStringLiteral(", ")) + QLatin1Char(')');
        if (from->isEmpty())
          sql += QStringLiteral(" VALUES (") + values.join(QStringLiteral(", ")) + QLatin1Char(')');
        else
          sql += QStringLiteral(" SELECT ") + Predicate() + values.join(QStringLiteral(", ")) + QStringLiteral(" FROM ") +
                 *from + where + Clause(kGroupBy, QStringLiteral(" GROUP BY ")) +
                 Clause(kHaving, QStringLiteral(" HAVING ")) + OrderBy();
        break;
      }
      case kCrosstab: {
        QStringList value, headings, pivot;
        for (const QueryRow& r : Rows(kColumn))
          ((r.flag & kPivot) ? pivot : (r.flag & kRowHeading) ? headings : value) << Selected(r);
        QStringList groups;
        for (const QueryRow& r : Rows(kGroupBy))
          if (!(r.flag & kPivot)) groups << r.expression;
        if (value.isEmpty() || pivot.isEmpty() || from->isEmpty())
          return Refuse(why, QStringLiteral("the crosstab query has no value, no pivot or no table"));
        sql = QStringLiteral("TRANSFORM ") + value.join(QStringLiteral(", ")) + QStringLiteral(" SELECT ") +
              headings.join(QStringLiteral(", ")) + QStringLiteral(" FROM ") + *from + where +
              (groups.isEmpty() ? QString() : QStringLiteral(" GROUP BY ") + groups.join(QStringLiteral(", "))) +
              Clause(kHaving, QStringLiteral(" HAVING ")) + OrderBy() + QStringLiteral(" PIVOT ") + pivot.first();
        break;
      }
      default: {  // select, make-table
        QStringList columns = Columns(kColumn);
        if ((flags_ & kSelectStar) || columns.isEmpty()) columns.prepend(QStringLiteral("*"));
        sql = QStringLiteral("SELECT ") + Predicate() + columns.join(QStringLiteral(", "));
        if (type->flag == kMakeTable) {
          if (type->name1.isEmpty()) return Refuse(why, QStringLiteral("the make-table query names no table"));
          sql += QStringLiteral(" INTO ") + Name(type->name1);
        }
        if (!from->isEmpty()) sql += QStringLiteral(" FROM ") + *from;
        sql += where + Clause(kGroupBy, QStringLiteral(" GROUP BY ")) + Clause(kHaving, QStringLiteral(" HAVING ")) +
               OrderBy();
      }
    }
    if (flags_ & kOwnerAccess) sql += QStringLiteral(" WITH OWNERACCESS OPTION");
    return QueryText{parameters + sql, type->flag == kSelect};
  }

 private:
  static std::optional<QueryText> Refuse(QString* why, const QString& reason) {
    if (why) *why = reason;
    return std::nullopt;
  }

  const QueryRow* First(int attribute) const {
    for (const QueryRow& r : rows_)
      if (r.attribute == attribute) return &r;
    return nullptr;
  }

  std::vector<QueryRow> Rows(int attribute) const {
    std::vector<QueryRow> out;
    for (const QueryRow& r : rows_)
      if (r.attribute == attribute) out.push_back(r);
    return out;
  }

  static QString Selected(const QueryRow& r) {
    return r.name1.isEmpty() ? r.expression : r.expression + QStringLiteral(" AS ") + Name(r.name1);
  }

  QStringList Columns(int attribute) const {
    QStringList out;
    for (const QueryRow& r : Rows(attribute)) out << Selected(r);
    return out;
  }

  QString Clause(int attribute, const QString& keyword) const {
    QStringList parts;
    for (const QueryRow& r : Rows(attribute)) parts << r.expression;
    return parts.isEmpty() ? QString() : keyword + parts.join(QStringLiteral(", "));
  }

  QString OrderBy() const {
    QStringList parts;
    for (const QueryRow& r : Rows(kOrderBy))
      parts << r.expression + (r.name1.compare(QLatin1String("D"), Qt::CaseInsensitive) == 0 ? QStringLiteral(" DESC") : QString());
    return parts.isEmpty() ? QString() : QStringLiteral(" ORDER BY ") + parts.join(QStringLiteral(", "));
  }

  QString Predicate() const {
    QString p;
    if (flags_ & kDistinct) p += QStringLiteral("DISTINCT ");
    else if (flags_ & kDistinctRow) p += QStringLiteral("DISTINCTROW ");
    if (flags_ & kTop) {
      const QueryRow* f = First(kFlags);
      p += QStringLiteral("TOP ") + f->name1 + ((flags_ & kPercent) ? QStringLiteral(" PERCENT ") : QStringLiteral(" "));
    }
    return p;
  }

  QString Parameters() const {
    QStringList params;
    for (const QueryRow& r : Rows(kParameter))
      params << Name(r.name1) + QLatin1Char(' ') + ParameterType(r.flag) + (r.flag == 10 ? QStringLiteral(" (255)") : QString());
    return params.isEmpty() ? QString() : QStringLiteral("PARAMETERS ") + params.join(QStringLiteral(", ")) + QStringLiteral("; ");
  }

  // The tables and joins: every table row is an item; each join row joins
  // the items that hold its two names, or adds its condition to the join
  // that already holds both.
  std::optional<QString> From(QString* why) const {
    std::vector<std::shared_ptr<FromItem>> items;
    for (const QueryRow& r : Rows(kTable)) {
      auto item = std::make_shared<FromItem>();
      if (r.name1.isEmpty()) {
        item->text = QLatin1Char('(') + r.expression + QStringLiteral(") AS ") + Name(r.name2);
      } else {
        item->text = Name(r.name1) + (r.name2.isEmpty() ? QString() : QStringLiteral(" AS ") + Name(r.name2));
        item->names << r.name1;
      }
      if (!r.name2.isEmpty()) item->names << r.name2;
      items.push_back(item);
    }
    auto holding = [&](const QString& name) -> int {
      // An alias names its table; the table's own name counts when no alias does.
      for (size_t i = 0; i < items.size(); ++i)
        if (items[i]->names.contains(name, Qt::CaseInsensitive)) return int(i);
      return -1;
    };
    for (const QueryRow& r : Rows(kJoin)) {
      const int l = holding(r.name1), rt = holding(r.name2);
      if (l < 0 || rt < 0) {
        *why = QStringLiteral("a join names '%1' or '%2', which the query does not read").arg(r.name1, r.name2);
        return std::nullopt;
      }
      if (l == rt) {
        items[size_t(l)]->on << r.expression;
        continue;
      }
      auto join = std::make_shared<FromItem>();
      join->left = items[size_t(l)];
      join->right = items[size_t(rt)];
      join->join = r.flag == 2 ? QStringLiteral(" LEFT JOIN ") : r.flag == 3 ? QStringLiteral(" RIGHT JOIN ") : QStringLiteral(" INNER JOIN ");
      join->on << r.expression;
      join->names = join->left->names + join->right->names;
      items[size_t(std::min(l, rt))] = join;
      items.erase(items.begin() + std::max(l, rt));
    }
    QStringList parts;
    for (const auto& i : items) parts << i->Sql();
    return parts.join(QStringLiteral(", "));
  }

  const std::vector<QueryRow>& rows_;
  int flags_ = 0;
};

}  // namespace

std::optional<QueryText> RebuildQuery(const std::vector<QueryRow>& rows, QString* why) {
  QString reason;
  auto text = Builder(rows).Build(&reason);
  if (!text && why) *why = reason;
  return text;
}

}  // namespace mt::jetimport
