#include "Paintpic.h"

#include "PageLayout.h"
#include "TImage.h"

#include <QByteArray>
#include <QColor>
#include <QFile>
#include <QImage>
#include <QList>
#include <QPainter>

#include <png.h>

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstring>

using namespace Qt::StringLiterals;

namespace {

constexpr int kWidth = PageLayout::Screenshot.width();
constexpr int kHeight = PageLayout::Screenshot.height();
constexpr int kMaxColours = 256;
constexpr png_byte kSignature[8] = {137, 80, 78, 71, 13, 10, 26, 10};

QImage *sharedBitmap = nullptr; // decoded into on every show; lives until the program ends
int loadSwitch = 0;

// The palette as read, kept in plain data so it may be filled inside the libpng frame.
struct Palette {
    QRgb colours[kMaxColours];
    int count;
};

void IgnoreWarning(png_structp, png_const_charp)
{
}

// libpng's own text for the last damaged file of this thread, kept instead of printed.
thread_local char lastError[160] = {};

[[noreturn]] void RecordError(png_structp png, png_const_charp message)
{
    std::snprintf(lastError, sizeof lastError, "%s", message ? message : "");
    png_longjmp(png, 1);
}

QImage &SharedBitmap()
{
    if (!sharedBitmap)
        sharedBitmap = new QImage(kWidth, kHeight, QImage::Format_Indexed8);
    return *sharedBitmap;
}

// Only trivially destructible data lives in this frame, so libpng's longjmp back to it
// skips no destructor; locals changed after setjmp are not read after the jump.
int Decode(png_structp png, png_infop info, FILE *file, png_bytep const *rows, Palette *palette)
{
    if (setjmp(png_jmpbuf(png)))
        return ssDamaged;
    png_init_io(png, file);
    png_set_sig_bytes(png, sizeof kSignature);
    png_read_info(png, info);

    if (png_get_image_width(png, info) != kWidth || png_get_image_height(png, info) != kHeight
        || png_get_bit_depth(png, info) != 8 || png_get_color_type(png, info) != PNG_COLOR_TYPE_PALETTE
        || png_get_filter_type(png, info) != PNG_FILTER_TYPE_BASE
        || png_get_compression_type(png, info) != PNG_COMPRESSION_TYPE_BASE
        || png_get_interlace_type(png, info) != PNG_INTERLACE_NONE)
        return ssWrongKind;

    png_colorp entries = nullptr;
    int count = 0;
    // libpng already refuses these; checked again because the colour table has 256 places.
    if (png_get_PLTE(png, info, &entries, &count) != PNG_INFO_PLTE || count < 1 || count > kMaxColours)
        return ssDamaged;
    for (int i = 0; i < count; ++i)
        palette->colours[i] = qRgb(entries[i].red, entries[i].green, entries[i].blue);
    palette->count = count;

    for (int y = 0; y < kHeight; ++y)
        png_read_row(png, rows[y], nullptr);
    png_read_end(png, nullptr);
    return ssShown;
}

// Steps from the open file to the shared bitmap; the file stays open for the caller.
int ReadScreenshot(FILE *file, TImage *image)
{
    QImage &bitmap = SharedBitmap();
    const int code = DecodeScreenshot(file, bitmap);
    if (code == ssShown && image)
        // A picture of its own (the next show overwrites the bitmap), in the screen's format:
        // converted once here, not on every paint.
        image->SetPicture(bitmap.convertToFormat(QImage::Format_RGB32));
    return code;
}

QColor MarkerColour(int code)
{
    switch (code) {
    case ssNoDecoder:
        return QColor(165, 165, 165);
    case ssNoFile:
        return QColor(206, 0, 41);
    case ssNotPng:
        return QColor(255, 222, 107);
    case ssWrongKind:
        return QColor(0, 148, 214);
    default:
        return QColor(128, 0, 128);
    }
}

void ShowFallback(TImage *image, int code)
{
    if (!image)
        return;
    QImage fallback(u"spdexpic.bmp"_s, "BMP");
    if (fallback.isNull())
        throw EFileError(u"Datei spdexpic.bmp kann nicht geöffnet werden"_s);
    if (code != ssNoName) {
        fallback.convertTo(QImage::Format_RGB32);
        QPainter(&fallback).fillRect(PageLayout::FallbackMarker, MarkerColour(code));
    }
    image->SetPicture(fallback);
}

int Show(TImage *image, const QString &name, const char *key)
{
    if (loadSwitch == 0)
        return ssShown;
    int code = ssNoName;
    if (!name.isEmpty()) {
        QByteArray path = QByteArrayLiteral("DATA/");
        path += key ? key : "";
        path += '/';
        path += QFile::encodeName(name);
        if (FILE *file = std::fopen(path.constData(), "rb")) {
            code = ReadScreenshot(file, image);
            std::fclose(file);
        } else {
            code = ssNoFile;
        }
    }
    if (code != ssShown)
        ShowFallback(image, code);
    return code;
}

} // namespace

int DecodeScreenshot(std::FILE *file, QImage &bitmap)
{
    png_byte signature[sizeof kSignature];
    if (std::fread(signature, 1, sizeof signature, file) != sizeof signature
        || std::memcmp(signature, kSignature, sizeof signature) != 0)
        return ssNotPng;

    lastError[0] = '\0';
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, RecordError, IgnoreWarning);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!info) {
        png_destroy_read_struct(&png, nullptr, nullptr);
        return ssNoDecoder;
    }

    if (bitmap.size() != QSize(kWidth, kHeight) || bitmap.format() != QImage::Format_Indexed8)
        bitmap = QImage(kWidth, kHeight, QImage::Format_Indexed8);
    png_bytep rows[kHeight];
    for (int y = 0; y < kHeight; ++y)
        rows[y] = bitmap.scanLine(y);
    Palette palette;
    const int code = Decode(png, info, file, rows, &palette);
    png_destroy_read_struct(&png, &info, nullptr);
    if (code != ssShown)
        return code;

    QList<QRgb> table(kMaxColours, qRgb(0, 0, 0)); // indices past the palette show black
    std::copy(palette.colours, palette.colours + palette.count, table.begin());
    bitmap.setColorTable(table);
    return ssShown;
}

QString ScreenshotDecodeError()
{
    return QString::fromUtf8(lastError);
}

int Screenshot(unsigned op, TImage *image, int value, const QString &name, const char *key)
{
    switch (op) {
    case ssInit:
        SharedBitmap();
        return 0;
    case ssSwitch:
        loadSwitch = value;
        return 0;
    case ssShow:
        return Show(image, name, key);
    default:
        return 0;
    }
}
