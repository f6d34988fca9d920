#pragma once

#include <QString>

#include <optional>

// Start-up's module state: the program folder, the operating mode and the remembered
// search text, each behind one entry function taking an operation code. Codes outside
// a function's list do nothing.

enum : int { pfCapture = 0, pfEnter = 1 };
// pfCapture: takes the folder of the running program file; 1 on success, 0 when the
// program path has 256 or more characters. pfEnter: makes the captured folder current
// (failures ignored); returns 0.
int ProgramFolder(int op);

enum : unsigned { emNormal = 0, emEdit = 1, emQuery = 2 };
// emNormal, emEdit: store the flag and return it. emQuery (and any larger code): return it.
int EditModeFlag(unsigned op);

enum : int { stClear = 0, stStore = 1, stFetch = 2 };
// stClear: empties the text; stStore: keeps text; stFetch: returns the kept text.
// Clear and store return an empty text.
QString SearchTextStore(int op, const QString &text = {});

// Sets the folder pfEnter makes current, as pfCapture would; for a program folder that is
// not the running program's own (tests).
void SetProgramFolder(const QString &folder);

// The folder rule: the folder of a program path, the root "/" kept as it is; nothing
// when the path has 256 or more characters.
std::optional<QString> ProgramFolderOf(const QString &programPath);
