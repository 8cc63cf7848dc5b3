// Bounds of zero-based arrays and removal of one element, with the
// conventions the command-line parser and the URL helpers rely on.
//
// Promises:
//  - GetArrayUBound is the index of the last element, -1 for an array without
//    elements (never fails).
//  - RemoveArrayItem removes the element at index in place and returns a copy
//    of the shortened array; removing the only element leaves an empty array.
//    An index outside the bounds throws DbError (subscript out of range) and
//    leaves the array as it was.
#pragma once

#include <QStringList>
#include <QVariant>
#include <QVariantList>
#include <cstdint>

namespace mt {

int32_t GetArrayUBound(const QVariantList& array);
int32_t GetArrayUBound(const QStringList& array);

QVariant RemoveArrayItem(QVariantList& array, int32_t index);
QVariant RemoveArrayItem(QStringList& array, int32_t index);

}  // namespace mt
