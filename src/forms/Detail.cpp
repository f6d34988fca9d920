#include "Detail.h"

#include "ErrorDisplay.h"
#include "Misc.h"
#include "TClientDataSet.h"
#include "TableSchemas.h"

#include <QGuiApplication>
#include <QScreen>

using namespace Qt::StringLiterals;

TDetailansicht *Detailansicht = nullptr;

TDetailansicht::TDetailansicht(QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint)
{
    Detailansicht = this;
    setObjectName(u"Detailansicht"_s);
    setWindowTitle(u"Detailansicht"_s);
    setFixedSize(640, 480);
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    ClientDataSet1 = new TClientDataSet(this);
    RunGuarded([this] { FormCreate(); });
}

TDetailansicht::~TDetailansicht()
{
    RunGuarded([this] { FormDestroy(); });
    if (Detailansicht == this)
        Detailansicht = nullptr;
}

void TDetailansicht::FormCreate()
{
    ClientDataSet1->LoadFromFile(kGameTableFile);
    ClientDataSet1->Open();
    if (EditModeFlag(emQuery) != 0) {
        ClientDataSet1->Last();
    } else {
        ClientDataSet1->SetIndexFieldNames(u"TITEL"_s);
        ClientDataSet1->First();
    }
}

void TDetailansicht::FormDestroy()
{
    if (EditModeFlag(emQuery) == 0)
        return;
    ProgramFolder(pfEnter);
    ClientDataSet1->SaveToFile(kGameTableFile);
}
