#pragma once

#include "FieldValue.h"
#include "RecordStore.h"

#include <QString>
#include <vector>

// A table file: an SQLite 3 database holding one table named "records". Its columns in
// declaration order are the fields; declared type INTEGER (any type containing "INT")
// is a whole-number field, VARCHAR(n) a text field of n characters, any other type a
// text field without limit. Rows in rowid order are the stored order.
struct TableData {
    std::vector<FieldDef> fields;
    RecordStore records;
};

// Reads the whole file, opened read-only (works on a read-only medium).
// Raises EDatabaseError "Datei <name> kann nicht geöffnet werden" when the file cannot be
// opened or is no table file, and a message naming row and field for a value that
// does not fit its whole-number column.
TableData ReadTableFile(const QString &fileName);

// Starts reading the table file at path on a thread of its own, for the first
// ReadTableFile(fileName) that names the same file (from the main thread) to take up.
// For the start, where the table is read while the window framework sets itself up.
void ReadTableFileAhead(const QString &path, const QString &fileName);

// Writes the table as a complete new file beside the old one and renames it over, so
// that the file is either the old one or the complete new one. On failure the old file
// is untouched, the half-written new one removed, and EDatabaseError raised.
void WriteTableFile(const QString &fileName, const std::vector<FieldDef> &fields, const RecordStore &records);

// Removes what saves of this table left when they were killed before their end: files named
// exactly like a save's temporary file (".spdex_d.cds." and six letters or digits), and
// nothing else. Only for a run that holds the folder's edit lock. Returns how many went.
int RemoveSaveLeftovers(const QString &fileName);
