#pragma once

#include "RecordStore.h"

#include <QString>
#include <stdexcept>
#include <vector>

// Invented review data and pictures for a demo CD, the same bytes on every run.

inline constexpr int kDemoGameCount = 300;

// Raised when a file of the demo CD cannot be written; the message names the file.
class DemoCdError : public std::runtime_error {
public:
    explicit DemoCdError(const QString &message) : std::runtime_error(message.toStdString()) {}
};

// count games in the layout of GameTableFields(). The first records of a larger count
// are the records of a smaller one, so the awkward cases sit among the first 300.
RecordStore GenerateGameRecords(int count);

// Tips for some of the games in the layout of TipsTableFields(): about two for every
// three games, plus two whose Titel matches no game exactly.
RecordStore GenerateTipRecords(const RecordStore &games);

// What the CD check must find on the demo CD, and nothing else: the awkward cases planted on
// purpose (a kind of the check, the table, the 1-based stored position, the field).
struct PlantedFinding {
    QString kind;
    QString table;
    int record;
    QString field;
};
std::vector<PlantedFinding> PlantedFindings(const RecordStore &games, const RecordStore &tips);

// Writes only spdex_d.cds and spdex_t.cds into folder (created if missing).
void WriteDemoTables(const QString &folder, int gameCount);

// Writes the tables and the screenshots DATA/<key>/<BILDNAME> into folder; the picture for a
// game without one, spdexpic.bmp, is the skin's. Needs a QGuiApplication for drawing text.
void WriteDemoCd(const QString &folder, int gameCount = kDemoGameCount);
