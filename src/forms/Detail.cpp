#include "Detail.h"

#include "DialogLook.h"
#include "ErrorDisplay.h"
#include "For_ie.h"
#include "For_info.h"
#include "For_such.h"
#include "For_tips.h"
#include "GridTables.h"
#include "Misc.h"
#include "PageLayout.h"
#include "Paintdat.h"
#include "Paintlog.h"
#include "Paintpic.h"
#include "SkinPictures.h"
#include "TClientDataSet.h"
#include "TDBGrid.h"
#include "TDataSource.h"
#include "TImage.h"
#include "TableSchemas.h"

#include <QFile>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QScopedValueRollback>
#include <QScreen>

#include <array>

using namespace Qt::StringLiterals;

TDetailansicht *Detailansicht = nullptr;

namespace {

// The fields of the page values, slot by slot.
constexpr std::array<GameField, 16> kPageFields = {
    kTitel,      kWertung, kGrafik,   kSound,   kEinstieg,  kKomplexi, kSteuerung, kMultiplay,
    kHersteller, kTestver, kBetriebs, kSprache, kMultiplayt, kDdkarte, kHardwarem, kHardwaree,
};

FieldValue GameValue(const TClientDataSet &games, GameField field)
{
    return games.FieldByName(GameFieldName(field));
}

// 0 none, 1 gold for exactly "GA", 2 platinum for any other text.
int AwardCode(const FieldValue &extras)
{
    if (extras.isNull() || extras.toText().isEmpty())
        return 0;
    return extras.toText() == u"GA"_s ? 1 : 2;
}


} // namespace

TDetailansicht::TDetailansicht(QWidget *parent) : QWidget(parent, Qt::Window | Qt::FramelessWindowHint)
{
    Detailansicht = this;
    setObjectName(u"Detailansicht"_s);
    // Without a caption bar of its own, the window's title is what the task bar shows.
    setWindowTitle(ApplicationTitle());
    setFixedSize(PageLayout::MainWindow);
    drag_ = new SurfaceDrag(this);

    namespace layout = PageLayout;
    namespace skin = SkinPictures;
    Backgrnd = AddPicture(u"Backgrnd"_s, layout::PageBackground, skin::Background, false, true);
    TastePfeilL = AddPicture(u"TastePfeilL"_s, layout::ArrowLeft, skin::ArrowLeftButton, true, true, u"Voriges Spiel"_s);
    TastePfeilR =
        AddPicture(u"TastePfeilR"_s, layout::ArrowRight, skin::ArrowRightButton, true, true, u"Nächstes Spiel"_s);
    Backgrd2 = AddPicture(u"Backgrd2"_s, layout::TableBackgroundFolded, skin::TableBackground, false, false);
    TasteSuchenS = AddPicture(u"TasteSuchenS"_s, layout::SearchButton, skin::SearchButton, true, true, u"Suchen"_s);
    TasteTips = AddPicture(u"TasteTips"_s, layout::TipsButton, skin::TipsButton, true, true, u"Tipps"_s);
    TasteBeenden = AddPicture(u"TasteBeenden"_s, layout::QuitButton, skin::QuitButton, true, true, u"Beenden"_s);
    TasteInfo = AddPicture(u"TasteInfo"_s, layout::InfoButton, skin::InfoButton, true, true, u"Info"_s);
    TasteIcon = AddPicture(u"TasteIcon"_s, layout::MinimiseButton, skin::MinimiseButton, true, true, u"Minimieren"_s);
    Spielebild = AddPicture(u"Spielebild"_s, layout::Screenshot, {}, false, true);
    TasteHauptansicht =
        AddPicture(u"TasteHauptansicht"_s, layout::ViewButton, skin::MainViewButton, false, false, u"Hauptansicht"_s);
    TasteTabelle = AddPicture(u"TasteTabelle"_s, layout::ViewButton, skin::TableButton, true, true, u"Tabelle"_s);
    TasteIE = AddPicture(u"TasteIE"_s, layout::ImportExportButton, skin::ImportExportButton, false, false,
                         u"Import/Export"_s);
    TasteSuchenR = AddPicture(u"TasteSuchenR"_s, layout::SearchButton, skin::SearchButtonLit, false, false);
    ImageGoldaward = AddPicture(u"ImageGoldaward"_s, layout::AwardBadge, skin::GoldAwardBadge, false, false);
    ImagePlatinaward = AddPicture(u"ImagePlatinaward"_s, layout::AwardBadge, skin::PlatinumAwardBadge, false, false);
    ImageZusatzcd = AddPicture(u"ImageZusatzcd"_s, layout::ExtraCdBadge, skin::ExtraCdBadge, false, false);

    ClientDataSet1 = new TClientDataSet(this);
    DataSource1 = new TDataSource(ClientDataSet1, GridColumnsOf(GameTable()), this);
    GridTabelle = nullptr; // made when the table view is first shown

    OnClick(TastePfeilL, &TDetailansicht::TastePfeilLClick);
    OnClick(TastePfeilR, &TDetailansicht::TastePfeilRClick);
    OnClick(TasteBeenden, &TDetailansicht::TasteBeendenClick);
    OnClick(TasteIcon, &TDetailansicht::TasteIconClick);
    OnClick(TasteHauptansicht, &TDetailansicht::TasteHauptansichtClick);
    OnClick(TasteTabelle, &TDetailansicht::TasteTabelleClick);
    OnClick(TasteSuchenS, &TDetailansicht::TasteSuchenSClick);
    OnClick(TasteTips, &TDetailansicht::TasteTipsClick);
    OnClick(TasteInfo, &TDetailansicht::TasteInfoClick);
    OnClick(TasteIE, &TDetailansicht::TasteIEClick);
    // Not guarded here: an error while the page is drawn belongs to the action that moved the cursor.
    ClientDataSet1->SetAfterScrollHandler([this] { ClientDataSet1AfterScroll(); });
    SetBadgePictures(ImageGoldaward, ImagePlatinaward, ImageZusatzcd);

    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    // The window itself takes the keyboard in the detail view: it has no control that could.
    setFocusPolicy(Qt::StrongFocus);
    setFocus();
    RunGuarded([this] { FormCreate(); });
}

TDetailansicht::~TDetailansicht()
{
    RunGuarded([this] { FormDestroy(); });
    SetBadgePictures(nullptr, nullptr, nullptr);
    if (Detailansicht == this)
        Detailansicht = nullptr;
}

TImage *TDetailansicht::AddPicture(const QString &name, const QRect &bounds, QStringView skin, bool takesInput,
                                   bool visible, const QString &label)
{
    auto *picture = new TImage(this, name, bounds);
    if (!skin.isEmpty())
        picture->SetPictureFile(skin.toString());
    picture->SetEnabled(takesInput);
    picture->setVisible(visible);
    if (!label.isEmpty())
        picture->SetLabel(label);
    return picture;
}

void TDetailansicht::OnClick(TImage *button, void (TDetailansicht::*handler)())
{
    ConnectGuarded(button, &TImage::Click, this, handler);
}

void TDetailansicht::FormCreate()
{
    drag_->Release();
    {
        // The page is drawn once, for the record the window starts on.
        const QScopedValueRollback holding(holdPage_, true);
        ClientDataSet1->LoadFromFile(kGameTableFile);
        ClientDataSet1->Open();
        if (EditModeFlag(emQuery) != 0) {
            ClientDataSet1->Last();
        } else {
            ClientDataSet1->SetIndexFieldNames(GameFieldName(kTitel));
            ClientDataSet1->First();
        }
    }
    ClientDataSet1AfterScroll();
}

// The table view's grid, made the first time it is needed: a window that starts on the
// review page does not wait for it.
void TDetailansicht::MakeGrid()
{
    if (GridTabelle)
        return;
    GridTabelle = new TDBGrid(this, u"GridTabelle"_s, PageLayout::TableGrid, DataSource1);
    GridTabelle->hide();
    QFont gridFont = DialogFont();
    gridFont.setPointSize(8);
    GridTabelle->setFont(gridFont);
    if (EditModeFlag(emQuery) != 0)
        ShowGridForEditing(GridTabelle);
    else
        ShowGridForReading(GridTabelle);
    GridTabelle->setEnabled(false);
    ConnectGuarded(GridTabelle, &TDBGrid::TitleClick, this, &TDetailansicht::GridTabelleTitleClick);
    GridTabelle->FitColumns();
}

void TDetailansicht::FormDestroy()
{
    SaveTableInEditMode(GridTabelle, ClientDataSet1, kGameTableFile);
}

// ---- record browsing ----

void TDetailansicht::ClientDataSet1AfterScroll()
{
    if (holdPage_)
        return;
    std::array<FieldValue, kPageValueCount> values; // slots 16 and 17 stay unassigned
    for (size_t slot = 0; slot < kPageFields.size(); ++slot)
        values[slot] = GameValue(*ClientDataSet1, kPageFields[slot]);
    DetailPage(dpStore, nullptr, 0, values.data());
    DetailPage(dpDraw, Backgrnd);

    const QByteArray key = QFile::encodeName(PictureKey(GameValue(*ClientDataSet1, kAusgabe)));
    const FieldValue pictureName = GameValue(*ClientDataSet1, kBildname);
    Screenshot(ssShow, Spielebild, 0, pictureName.isNull() ? QString() : pictureName.toText(), key.constData());

    const FieldValue extraCd = GameValue(*ClientDataSet1, kZusatzcd);
    BadgeOverlay(boSetBadges, AwardCode(GameValue(*ClientDataSet1, kExtras)),
                 extraCd.isNull() || extraCd.toText().isEmpty() ? 0 : 1);
}

// ---- buttons ----

void TDetailansicht::TasteBeendenClick()
{
    Detailansicht->close();
}

void TDetailansicht::TasteIconClick()
{
    Detailansicht->showMinimized();
}

void TDetailansicht::TastePfeilLClick()
{
    ClientDataSet1->Prior();
}

void TDetailansicht::TastePfeilRClick()
{
    ClientDataSet1->Next();
}

void TDetailansicht::TasteTabelleClick()
{
    Backgrd2->resize(PageLayout::MainWindow.width(), Backgrd2->height());
    Backgrd2->show();
    Backgrnd->hide();
    MakeGrid();
    GridTabelle->setEnabled(true);
    GridTabelle->show();
    GridTabelle->setFocus();
    TasteHauptansicht->SetEnabled(true);
    TasteHauptansicht->show();
    TasteTabelle->SetEnabled(false);
    TasteTabelle->hide();
    if (EditModeFlag(emQuery) != 0) {
        TasteIE->SetEnabled(true);
        TasteIE->show();
    }
    BadgeOverlay(boSetView, 0);
}

void TDetailansicht::TasteHauptansichtClick()
{
    Backgrd2->hide();
    Backgrd2->resize(PageLayout::TableBackgroundFolded.width(), Backgrd2->height());
    Backgrnd->show();
    if (GridTabelle) {
        GridTabelle->setEnabled(false);
        GridTabelle->hide();
    }
    TasteHauptansicht->SetEnabled(false);
    TasteHauptansicht->hide();
    TasteTabelle->SetEnabled(true);
    TasteTabelle->show();
    TasteIE->SetEnabled(false);
    TasteIE->hide();
    BadgeOverlay(boSetView, 1);
    setFocus();
}

bool TDetailansicht::InTableView() const
{
    return GridTabelle && GridTabelle->isVisibleTo(this);
}

void TDetailansicht::keyPressEvent(QKeyEvent *event)
{
    void (TDetailansicht::*handler)() = nullptr;
    if (!InTableView() && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        switch (event->key()) {
        case Qt::Key_Left:
        case Qt::Key_PageUp:
            handler = &TDetailansicht::TastePfeilLClick;
            break;
        case Qt::Key_Right:
        case Qt::Key_PageDown:
            handler = &TDetailansicht::TastePfeilRClick;
            break;
        case Qt::Key_Home:
            handler = &TDetailansicht::FirstGame;
            break;
        case Qt::Key_End:
            handler = &TDetailansicht::LastGame;
            break;
        default:
            break;
        }
    }
    if (handler)
        RunGuarded([this, handler] { (this->*handler)(); });
    else
        QWidget::keyPressEvent(event);
}

void TDetailansicht::FirstGame()
{
    ClientDataSet1->First();
}

void TDetailansicht::LastGame()
{
    ClientDataSet1->Last();
}

// Each dialog is made anew, owned by this window, run modally and destroyed at once.

void TDetailansicht::TasteSuchenSClick()
{
    TFormSuchen(this).exec();
}

void TDetailansicht::TasteTipsClick()
{
    TFormTips tips(this);
    tips.OpenFor(GameValue(*ClientDataSet1, kTitel));
}

void TDetailansicht::TasteInfoClick()
{
    TFormInfo(this).exec();
}

void TDetailansicht::TasteIEClick()
{
    TFormIE(this).exec();
}

void TDetailansicht::GridTabelleTitleClick(const QString &fieldName)
{
    SortByTitleClick(ClientDataSet1, fieldName);
}

