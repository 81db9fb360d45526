// The order in which folders list their entries: case-insensitive by name (names compare
// case-folded, character by character), ties broken by the bytes of the name. A fixed order makes catalogues reproducible and easy to compare.
#pragma once

#include <QByteArray>
#include <QString>

#include <vector>

namespace kestrova {

// A name with its precomputed sort key; sorting compares keys only.
struct NameSortKey
{
    explicit NameSortKey(QByteArray bytes);
    QByteArray name;   // the name as the file system gives it
    QByteArray folded; // its case-folded text in UTF-8 (invalid UTF-8 reads as replacement characters)
};

bool operator<(const NameSortKey &a, const NameSortKey &b);

// Sorts names in place into listing order.
void sortNames(std::vector<QByteArray> &names);

} // namespace kestrova
