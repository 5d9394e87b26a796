#pragma once
// The server's half of the case-blind comparison: a function in each file's schema that folds a
// text character by character exactly as the files' collation does (QString::toCaseFolded), so
// that "abc" and "ABC" are one key value on both engines and keys order alike.

#include <QByteArray>

namespace vellum::store {

// CREATE OR REPLACE FUNCTION schema.vellum_fold(text): plain ASCII is lowered at once; any other
// text goes through a translation of every character whose folding is another one.
QByteArray createFoldFunction(const QByteArray &schema);

} // namespace vellum::store
