// The string cipher: the program's side of the crypto component, and the
// stored form of a protected database value.
//
// Promises:
//  - One component per process, created through services().crypto on the
//    first call that needs it and keyed at once: each key setter is called
//    exactly once, with the cipher key text unscrambled anew for each call.
//    A creation that fails leaves no component (the next call tries again);
//    a setter that fails leaves the component as it is (not keyed again).
//  - StringEncrypt and StringDecrypt never fail outward: any failure is
//    logged (LogError under "modEncrypt.StringEncrypt" / "modEncrypt.
//    StringDecrypt") and the input is returned unchanged. StringDecrypt("")
//    is "" without touching the component.
//  - DBEncryptValue / DBDecryptValue: an empty text stays empty (the
//    component is not created); any other text goes through StringEncrypt /
//    StringDecrypt three times.
//  - IsProtectedValue(text) is true when text authenticates as cipher text
//    made under the program's key (one layer opens); it logs nothing, and a
//    component that cannot be created answers false.
#pragma once

#include <QString>

namespace mt {

QString StringEncrypt(const QString& text);
QString StringDecrypt(const QString& text);
QString DBEncryptValue(const QString& text);
QString DBDecryptValue(const QString& text);
bool IsProtectedValue(const QString& text);

// Drops the process's component, so the next call creates and keys a new one
// from the factory installed then. For tests.
void ResetCipherComponent();

}  // namespace mt
