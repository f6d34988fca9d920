#pragma once

#include <QWidget>

class TClientDataSet;

// The main window: borderless, 640 x 480, owner of the game table from its creation
// (where the table is loaded and positioned) to its destruction (where edit mode saves it).
class TDetailansicht : public QWidget {
    Q_OBJECT
public:
    // Sets the global reference Detailansicht before the creation handler runs.
    explicit TDetailansicht(QWidget *parent = nullptr);
    ~TDetailansicht() override;

    TClientDataSet *ClientDataSet1 = nullptr;

    void FormCreate();
    void FormDestroy();
};

// The one main window, set before its creation handler runs.
extern TDetailansicht *Detailansicht;
