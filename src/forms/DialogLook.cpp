#include "DialogLook.h"

#include <QFontDatabase>
#include <QGroupBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

namespace {

// Where the layout's coordinates put the inner area of a group box.
constexpr QPoint kLayoutInnerCorner(1, 14);

class EnterPressesButton : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        const auto *key = static_cast<QKeyEvent *>(event);
        if ((key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter)
            || (key->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
            return false;
        if (!key->isAutoRepeat())
            static_cast<QPushButton *>(watched)->click();
        return true;
    }
};

} // namespace

QFont DialogFont(bool bold)
{
    // Where the old dialog font is missing, Arial's metrics keep the texts inside their boxes.
    static const QString family = QFontDatabase::hasFamily(QStringLiteral("MS Sans Serif"))
        ? QStringLiteral("MS Sans Serif")
        : QStringLiteral("Arial");
    QFont font(family);
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(11);
    font.setBold(bold);
    return font;
}

void SetDialogLook(QWidget *dialog, const QString &caption, QSize clientSize)
{
    dialog->setWindowTitle(caption);
    dialog->setFont(DialogFont());
    dialog->setFixedSize(clientSize);
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        dialog->move(screen->availableGeometry().center() - QPoint(clientSize.width() / 2, clientSize.height() / 2));
}

void SetFixedDialogLook(QWidget *dialog, const QString &caption, QSize clientSize)
{
    dialog->setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint
                           | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    SetDialogLook(dialog, caption, clientSize);
}

QLabel *AddHint(QGroupBox *box, const QString &text, const QRect &bounds)
{
    auto *hint = new QLabel(text, box);
    hint->setFont(DialogFont());
    hint->setWordWrap(true);
    hint->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    const QRect inner = box->contentsRect();
    hint->setGeometry(bounds.translated(inner.topLeft() - kLayoutInnerCorner).intersected(inner));
    return hint;
}

void LetEnterPressFocusedButtons(QWidget *dialog)
{
    auto *filter = new EnterPressesButton(dialog);
    for (QPushButton *button : dialog->findChildren<QPushButton *>())
        button->installEventFilter(filter);
}
