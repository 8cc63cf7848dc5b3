#include "text/array_tools.h"

#include "db/engine.h"
#include "text/variant_convert.h"

namespace mt {

namespace {

template <class List>
void RemoveAt(List& array, int32_t index) {
  if (index < 0 || index >= array.size())
    throw DbError(rterr::kSubscript, QStringLiteral("Subscript out of range"));
  // A one-element array is emptied as a whole; a longer one shifts the
  // elements after index down by one and loses its last slot.
  if (array.size() == 1) {
    array.clear();
    return;
  }
  for (qsizetype i = index + 1; i < array.size(); ++i) array[i - 1] = array[i];
  array.removeLast();
}

}  // namespace

int32_t GetArrayUBound(const QVariantList& array) { return static_cast<int32_t>(array.size()) - 1; }
int32_t GetArrayUBound(const QStringList& array) { return static_cast<int32_t>(array.size()) - 1; }

QVariant RemoveArrayItem(QVariantList& array, int32_t index) {
  RemoveAt(array, index);
  return QVariant(array);
}

QVariant RemoveArrayItem(QStringList& array, int32_t index) {
  RemoveAt(array, index);
  return QVariant(array);
}

}  // namespace mt
