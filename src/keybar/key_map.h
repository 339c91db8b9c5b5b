#pragma once

#include <QString>

namespace keybar {

// The bar keeps its bindings as plain texts:
//   key map     "F1=A0,F2=A1,"  key name = menu code, in binding order, one entry per key;
//   parent map  "10=F9,F10,/"   parent code = keys bound below it.
// Key names are always compared in full, so "F1" never matches "F10".

// The first key bound to a menu code, or an empty text.
QString keyForCode(const QString &keyMap, const QString &code);
// The menu code a key is bound to, or an empty text.
QString codeForKey(const QString &keyMap, const QString &keyName);
// The key map with the key's old entry removed and key=code appended.
QString withBinding(const QString &keyMap, const QString &keyName, const QString &code);
// The key list stored for a parent code ("F9,F10,"), or an empty text.
QString keysOfParent(const QString &parentMap, const QString &code);

} // namespace keybar
