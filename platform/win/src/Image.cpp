// Icons and bitmaps from the program's resources (ICO and BMP bytes).

#include <QBuffer>
#include <QByteArray>
#include <QImageReader>

#include "Handles.h"
#include "ResourceLookup.h"
#include "WinBase.h"

namespace {

// The image of the icon that best fits cx x cy: an exact size with the most
// colours, else the nearest larger (or largest) one scaled to the size.
QImage PickIcon(QImageReader& reader, int cx, int cy) {
    QImage best;
    int bestScore = -1;
    int count = reader.imageCount();
    for (int i = 0; i < (count > 0 ? count : 1); ++i) {
        if (i > 0 && !reader.jumpToImage(i)) break;
        QImage image = reader.read();
        if (image.isNull()) continue;
        int score;
        if (cx <= 0 && cy <= 0) {
            score = i == 0 ? 1 : 0;  // the first image at its own size
        } else if (image.width() == cx && image.height() == cy) {
            score = 1000000 + image.depth();
        } else {
            int d = std::abs(image.width() - cx) + std::abs(image.height() - cy);
            score = 100000 - d * 10 + (image.width() >= cx ? 5 : 0);
        }
        if (score > bestScore) {
            bestScore = score;
            best = image;
        }
    }
    if (!best.isNull() && cx > 0 && cy > 0 && best.size() != QSize(cx, cy))
        best = best.scaled(cx, cy, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    return best;
}

QImage DecodeIcon(const QByteArray& bytes, int cx, int cy) {
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "ico");
    return PickIcon(reader, cx, cy);
}

}  // namespace

namespace platform::win {

QImage LoadBitmapResource(unsigned id) {
    const platform::res::Image* image =
        platform::res::FindImage(id, platform::res::ImageKind::Bitmap);
    if (!image) return {};
    return QImage::fromData(image->data, static_cast<int>(image->size), "BMP");
}

}  // namespace platform::win

HANDLE LoadImageA(HINSTANCE, LPCSTR name, UINT type, int cx, int cy, UINT fuLoad) {
    if (type != IMAGE_ICON || !name) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    if (cx == 0 && cy == 0 && (fuLoad & LR_DEFAULTSIZE)) cx = cy = 32;
    QImage image;
    unsigned id = 0;
    if (fuLoad & LR_LOADFROMFILE) {
        QImageReader reader(QString::fromLocal8Bit(name), "ico");
        image = PickIcon(reader, cx, cy);
    } else if (IS_INTRESOURCE(name)) {
        id = static_cast<unsigned>(reinterpret_cast<ULONG_PTR>(name));
        if (const platform::res::Image* res =
                platform::res::FindImage(id, platform::res::ImageKind::Icon))
            image = DecodeIcon(QByteArray::fromRawData(reinterpret_cast<const char*>(res->data),
                                                       static_cast<qsizetype>(res->size)),
                               cx, cy);
    }
    if (image.isNull()) {
        SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
        return nullptr;
    }
    auto* icon = new HICON__;
    icon->image = image;
    icon->resourceId = id;
    return icon;
}

HICON LoadIconA(HINSTANCE hInstance, LPCSTR lpIconName) {
    return static_cast<HICON>(LoadImageA(hInstance, lpIconName, IMAGE_ICON, 32, 32, 0));
}

BOOL DestroyIcon(HICON hIcon) {
    if (!hIcon) return FALSE;
    delete hIcon;
    return TRUE;
}
