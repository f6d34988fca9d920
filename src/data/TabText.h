#pragma once

#include "FieldValue.h"
#include "RecordStore.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include <functional>
#include <vector>

class QIODevice;
class TClientDataSet;

// The TAB text file: Windows-1252 bytes, no quoting or escaping. Line 1 holds the field
// names, every further line one record; values are separated by one TAB (9) and every
// line, the last included, ends with CR LF. Null is written as an empty value.

// Called now and then with how far the work has come: rows when writing, bytes when
// reading; total is 0 when unknown. It only reports and cannot stop the work.
using TabTextProgress = std::function<void(qint64 done, qint64 total)>;

// The longest value a TAB text file may hold, in characters (bytes).
inline constexpr int kTabTextMaxValueLength = 64;

struct TabExportResult {
    bool ok = true;
    int rowsWritten = 0; // record lines the device took, the header not counted
    QString error;       // for the user; empty when ok
};

// Writes the header and then the table's visible rows in view order (ValueAtRow), never
// moving the cursor; a table without visible rows gives the header line alone.
// The bytes go to the device in blocks of some 64 KiB; a file device is flushed at the end.
// Fails (ok false) at the first write the device refuses, or at the first value holding a
// character Windows-1252 lacks: the bytes before that value are handed to the device, and
// nothing of it or after it (no line end either). rowsWritten counts the record lines the
// device took. The device must be open for writing, not in Text mode.
TabExportResult WriteTabText(QIODevice &out, const TClientDataSet &table, const TabTextProgress &progress = {});

// What an import ended with; the numbers are the ones the editors' messages use.
enum class TabImportOutcome : int {
    Reading = 0,          // never returned
    Success = 1,          // end of file after a complete record
    CannotOpen = 2,       // not produced here: the caller could not open the file
    EndsInsideRecord = 3, // the file ends inside a record before its last field
    ValueTooLong = 4,     // a value of more than kTabTextMaxValueLength characters
    NoRecords = 5,        // no record follows the header
    ValueNotAccepted = 6, // a field's conversion refused a value; message is the engine's text
    ReadFailed = 7,       // the device reported a read error; message is the device's text
};

struct TabImportResult {
    TabImportOutcome outcome = TabImportOutcome::Reading;
    RecordStore records; // in the fields' layout and file order; empty unless Success
    QString message;     // for the user; empty on Success
};

inline const QString kTabImportErrorTitle = QStringLiteral("Spieldex: FEHLER beim Importieren");
inline const QString kTabImportEndsInsideRecordText = QStringLiteral("Die Datei enthält zu wenig Datensätze");
inline const QString kTabImportValueTooLongText =
    QStringLiteral("Die Datei besitzt einen Datensatz mit mehr als 64 Zeichen");
inline const QString kTabImportNoRecordsText = QStringLiteral("Die Datei enthält keine Datensätze");

// Reads the device to its end (read() giving no more bytes) into records of the given
// fields. The header line is skipped unread; each value goes through ConvertTextForField.
// A line with fewer values leaves the rest Null; once the last field is read the next
// value starts a new record; blank lines vanish; CR, LF and CR LF end lines alike.
// Only Success carries records: any fault leaves the result without a single one, so a
// caller's table is either replaced whole or not touched. The outcome does not depend on
// how the device hands out its bytes. fields must not be empty (std::invalid_argument).
TabImportResult ReadTabText(QIODevice &in, const std::vector<FieldDef> &fields, const TabTextProgress &progress = {});

// Windows-1252 as the file uses it: 0x80-0x9F are the typographic characters (0x80 is
// the euro sign); the five unassigned bytes stand for the control characters of equal code.
QString DecodeWindows1252(QByteArrayView bytes);
// Appends the bytes of text to out. Returns false at the first character Windows-1252
// lacks, with out holding the bytes of the characters before it.
bool EncodeWindows1252(QStringView text, QByteArray &out);
