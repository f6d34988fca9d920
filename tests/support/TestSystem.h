#pragma once

#include <QString>

// What the tests do to files in the system's own terms: a file made read-only (its owner's
// write permission taken away, or Windows' read-only attribute set), and asked for.
void SetReadOnly(const QString &path, bool readOnly);
bool IsReadOnly(const QString &path);
