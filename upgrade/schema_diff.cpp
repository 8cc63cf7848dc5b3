#include "upgrade/schema_diff.h"

#include <map>
#include <vector>

namespace mt::upgrade {
namespace {

// One fact of a listing: its name within the table (column, key or described
// column) and the fields that must agree.
struct Fact {
  QString name;
  QStringList fields;
};

// Facts in listing order, found by their name without regard to case.
class Facts {
 public:
  void Add(const QString& name, const QStringList& fields) {
    index_.emplace(name.toLower(), order_.size());
    order_.push_back({name, fields});
  }
  const Fact* Find(const QString& name) const {
    const auto it = index_.find(name.toLower());
    return it == index_.end() ? nullptr : &order_[it->second];
  }
  const std::vector<Fact>& all() const { return order_; }

 private:
  std::vector<Fact> order_;
  std::map<QString, size_t> index_;
};

struct Table {
  Facts columns, keys, descriptions;
};

struct Schema {
  Facts tables;  // names only; their facts are in `detail`
  std::map<QString, Table> detail;
  Facts views, procedures;
};

Schema Parse(const QStringList& lines) {
  Schema s;
  for (const QString& line : lines) {
    const QStringList f = line.split(QLatin1Char('\t'));
    const QString& kind = f[0];
    if (f.size() < 2) continue;
    if (kind == QLatin1String("table")) {
      s.tables.Add(f[1], {});
    } else if (kind == QLatin1String("view")) {
      s.views.Add(f[1], {});
    } else if (kind == QLatin1String("procedure")) {
      s.procedures.Add(f[1], {});
    } else if (f.size() >= 4) {
      Table& t = s.detail[f[1].toLower()];
      if (kind == QLatin1String("column")) t.columns.Add(f[2], f.mid(3));
      else if (kind == QLatin1String("key")) t.keys.Add(f[2], {f.mid(3).join(QLatin1Char(' '))});
      else if (kind == QLatin1String("description")) t.descriptions.Add(f[2], f.mid(3));
    }
  }
  return s;
}

class Report {
 public:
  void Add(const char* kind, const QString& owner, const QString& name = {},
           const QString& expected = {}, const QString& actual = {}) {
    lines_ << QStringList{QString::fromLatin1(kind), owner, name, expected, actual}.join(QLatin1Char('\t'));
  }
  QStringList lines() const { return lines_; }

 private:
  QStringList lines_;
};

// Missing and extra names of two fact sets, each shown with its first field;
// `both` sees each pair present in both. Without an owner the names are
// tables or queries.
template <typename Both>
void Match(const Facts& expected, const Facts& actual, Report& report, const char* missing,
           const char* extra, const QString& owner, Both both) {
  auto describe = [](const Fact& f) { return f.fields.value(0); };
  for (const Fact& e : expected.all()) {
    const Fact* a = actual.Find(e.name);
    if (!a) {
      report.Add(missing, owner.isEmpty() ? e.name : owner, owner.isEmpty() ? QString() : e.name,
                 describe(e));
    } else {
      both(e, *a);
    }
  }
  for (const Fact& a : actual.all()) {
    if (!expected.Find(a.name)) {
      report.Add(extra, owner.isEmpty() ? a.name : owner, owner.isEmpty() ? QString() : a.name,
                 QString(), describe(a));
    }
  }
}

QString NullText(const QString& notNull) {
  return notNull.isEmpty() ? QStringLiteral("NULL") : notNull;
}

void CompareTable(const QString& name, const Table& e, const Table& a, Report& report) {
  Match(e.columns, a.columns, report, "missing column", "extra column", name,
        [&](const Fact& ec, const Fact& ac) {
          const QString et = ec.fields.value(0), at = ac.fields.value(0);
          if (et != at) report.Add("type", name, ec.name, et, at);
          const QString en = NullText(ec.fields.value(1)), an = NullText(ac.fields.value(1));
          if (en != an) report.Add("not null", name, ec.name, en, an);
          const QString ed = ec.fields.value(2), ad = ac.fields.value(2);
          if (ed != ad) report.Add("default", name, ec.name, ed, ad);
        });
  Match(e.keys, a.keys, report, "missing key", "extra key", name,
        [&](const Fact& ek, const Fact& ak) {
          if (ek.fields != ak.fields) report.Add("key", name, ek.name, ek.fields[0], ak.fields[0]);
        });
  // Descriptions of columns both sides have; a missing one compares as empty.
  auto text = [](const Facts& descriptions, const QString& column) {
    const Fact* d = descriptions.Find(column);
    return d ? d->fields.value(0) : QString();
  };
  for (const Fact& column : e.columns.all()) {
    if (!a.columns.Find(column.name)) continue;
    const QString et = text(e.descriptions, column.name), at = text(a.descriptions, column.name);
    if (et != at) report.Add("description", name, column.name, et, at);
  }
}

}  // namespace

QStringList CompareSchemas(const QStringList& expected, const QStringList& actual) {
  const Schema e = Parse(expected), a = Parse(actual);
  Report report;
  static const Table kEmpty;
  auto detail = [](const Schema& s, const QString& name) -> const Table& {
    const auto it = s.detail.find(name.toLower());
    return it == s.detail.end() ? kEmpty : it->second;
  };
  Match(e.tables, a.tables, report, "missing table", "extra table", QString(),
        [&](const Fact& et, const Fact&) {
          CompareTable(et.name, detail(e, et.name), detail(a, et.name), report);
        });
  auto noDetail = [](const Fact&, const Fact&) {};
  Match(e.views, a.views, report, "missing view", "extra view", QString(), noDetail);
  Match(e.procedures, a.procedures, report, "missing procedure", "extra procedure", QString(),
        noDetail);
  return report.lines();
}

}  // namespace mt::upgrade
