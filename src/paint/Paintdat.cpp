#include "Paintdat.h"

#include "PageLayout.h"
#include "TImage.h"

#include <QFontMetrics>
#include <QPainter>

#include <array>
#include <limits>
#include <optional>

using namespace Qt::StringLiterals;

namespace {

// What a rating row shows instead of a number: missing, above 100, or not a rating at all.
constexpr quint32 kNoRating = 999;

const QColor kWhite(255, 255, 255), kBlack(0, 0, 0), kTitleGrey(156, 156, 156), kRed(255, 0, 0);
const QColor kLitGreen(0, 192, 0), kLitAmber(255, 192, 0), kLitRed(255, 0, 0);

std::array<FieldValue, kPageValueCount> store; // starts unassigned

// The page is drawn as on a canvas whose font and brush stay as the last item left them:
// the overall number is measured in the font the rating rows leave behind.
struct Canvas {
    QImage *picture = nullptr;
    QFont font;
    QColor textColour;
    QColor brush;

    void SetFont(const QColor &colour, int pixelSize, bool bold)
    {
        font.setPixelSize(pixelSize);
        font.setBold(bold);
        textColour = colour;
    }
    int TextWidth(const QString &text) const { return QFontMetrics(font).horizontalAdvance(text); }

    // Fills the box (right and bottom exclusive) and writes text with the top of its
    // character cell at `at`, cut at the box's edges.
    void TextInBox(const QRect &box, QPoint at, const QString &text) const
    {
        QPainter painter(picture);
        painter.fillRect(box, brush);
        painter.setClipRect(box);
        painter.setFont(font);
        painter.setPen(textColour);
        painter.drawText(at.x(), at.y() + QFontMetrics(font).ascent(), text);
    }
    void Fill(const QRect &box) const { QPainter(picture).fillRect(box, brush); }
    // A block: one-pixel black outline, interior in the brush colour.
    void Block(const QRect &box) const
    {
        QPainter painter(picture);
        painter.fillRect(box, kBlack);
        painter.fillRect(box.adjusted(1, 1, -1, -1), brush);
    }
};

Canvas canvas;

QString TextForm(const FieldValue &value)
{
    return value.toText(); // Null and unassigned draw as the empty text
}

// A rating as an unsigned 32-bit number: unassigned counts 0; Null, negative, fractional
// and non-numeric values have none.
std::optional<quint32> RatingForm(const FieldValue &value)
{
    if (value.isUnassigned())
        return 0;
    qint64 number = 0;
    if (value.isInteger())
        number = value.integer();
    else if (!value.isText() || !ParseWholeNumber(value.text(), number))
        return std::nullopt;
    if (number < 0 || number > std::numeric_limits<quint32>::max())
        return std::nullopt;
    return quint32(number);
}

QImage &PictureOf(TImage *image)
{
    QImage &picture = image->Picture();
    if (picture.isNull()) { // an image without a picture gets a blank one of its size
        picture = QImage(image->size(), QImage::Format_RGB32);
        picture.fill(kWhite);
    } else if (picture.format() != QImage::Format_RGB32) {
        picture = picture.convertToFormat(QImage::Format_RGB32);
    }
    return picture;
}

void DrawRating(TImage *image, int row, quint32 rating)
{
    canvas.picture = &PictureOf(image);
    canvas.brush = kWhite;
    canvas.SetFont(kBlack, 16, true);
    if (rating <= 100) {
        const QString number = QString::number(rating);
        const QRect box = PageLayout::RatingNumber(row); // right-aligned
        const int w = canvas.TextWidth(number);
        const int offset = w <= box.width() ? box.width() - w : 0;
        canvas.TextInBox(box, {box.left() + offset, box.top() - 2}, number);
        for (int r = 1; r <= PageLayout::RatingBlockCount; ++r) {
            canvas.brush = rating < quint32(10 * r) ? kWhite : r <= 6 ? kLitGreen : r <= 8 ? kLitAmber : kLitRed;
            canvas.Block(PageLayout::RatingBlock(row, r));
        }
    } else {
        const QRect strip = PageLayout::RatingStrip(row);
        canvas.TextInBox(strip, {strip.left() + 16, strip.top() - 4}, u"--"_s);
    }
}

void DrawTitle()
{
    canvas.SetFont(kWhite, 20, true);
    canvas.brush = kTitleGrey;
    const QString title = TextForm(store[0]);
    const QRect box = PageLayout::TitleBox; // centred
    const int w = canvas.TextWidth(title);
    const int offset = w <= box.width() ? (box.width() - w) / 2 : 0;
    canvas.TextInBox(box, {box.left() + offset, box.top() + 2}, title);
}

void DrawFactsAndHardware()
{
    canvas.SetFont(kBlack, 12, false);
    canvas.brush = kWhite;
    for (int k = 0; k < PageLayout::FactCount; ++k)
        canvas.TextInBox(PageLayout::FactValue(k), PageLayout::FactValue(k).topLeft(), TextForm(store[8 + k]));
    for (int k = 0; k < PageLayout::HardwareCount; ++k)
        canvas.TextInBox(PageLayout::HardwareValue(k), PageLayout::HardwareValue(k).topLeft(), TextForm(store[14 + k]));
}

void DrawOverall()
{
    const FieldValue &overall = store[1];
    // The bar rounds to the nearest multiple of 5: 83 lights 17 blocks, 82 lights 16.
    const qint64 count = overall.isNull() ? 0 : qint64(RatingForm(overall).value_or(0)) + 2;
    for (int r = 1; r <= PageLayout::OverallBlockCount; ++r) {
        canvas.brush = count < 5 * r ? kWhite : r <= 10 ? kLitGreen : r <= 15 ? kLitAmber : kLitRed;
        canvas.Block(PageLayout::OverallBlock(r));
    }

    const QRect box = PageLayout::OverallNumber;
    canvas.brush = kRed;
    if (overall.isNull()) {
        canvas.Block(box);
        return;
    }
    const QString text = TextForm(overall);
    const int w = canvas.TextWidth(text); // still the rating rows' font
    const int offset = w <= box.width() ? (box.width() - w) / 2 : 0;
    canvas.SetFont(kWhite, 26, true);
    canvas.TextInBox(box, {box.left() + offset - 4, box.top() - 3}, text);
}

void Draw(TImage *image)
{
    canvas.picture = &PictureOf(image);
    canvas.font = QFont(u"Arial"_s);
    canvas.font.setStyleHint(QFont::SansSerif, QFont::PreferNoShaping);
    DrawTitle();
    DrawFactsAndHardware();
    for (int i = 0; i < PageLayout::RatingCount; ++i)
        DrawRating(image, i, store[2 + i].isNull() ? kNoRating : RatingForm(store[2 + i]).value_or(kNoRating));
    DrawOverall();
    image->Changed();
}

} // namespace

int DetailPage(int op, TImage *image, int row, const FieldValue *values)
{
    switch (op) {
    case dpStore:
        if (values)
            std::copy(values, values + kPageValueCount, store.begin());
        break;
    case dpDraw:
        Draw(image);
        break;
    case dpDrawRating:
        DrawRating(image, row, values ? RatingForm(values[0]).value_or(kNoRating) : kNoRating);
        image->Changed();
        break;
    default:
        break;
    }
    return 0;
}
