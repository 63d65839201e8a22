#pragma once
// TPanelWallpaper: the bitmap a decorated panel fills its inner area with
// (the area left by border and bevels), and how it is laid there. The
// panel owns it; every change is announced with Cambiato.
#include <QObject>
#include <QPixmap>

namespace gridkit {

// wpNone     the bitmap at the top-left corner, unscaled
// wpCenter   the bitmap centred (its centre part when it is larger)
// wpStretch  the bitmap stretched over the area, without smoothing
// wpTile     copies of the bitmap from the top-left corner, row by row
// Wherever the bitmap does not reach, and over the whole area when it is
// empty, the panel's colour shows.
enum TPanelWallpaperStyle { wpNone, wpCenter, wpStretch, wpTile };

class TPanelWallpaper : public QObject {
    Q_OBJECT
public:
    explicit TPanelWallpaper(QObject* owner = nullptr);

    // Default: empty. The wallpaper keeps its own copy.
    const QPixmap& Bitmap() const { return bitmap_; }
    void SetBitmap(const QPixmap& valore);
    // Default: wpTile.
    TPanelWallpaperStyle Style() const { return style_; }
    void SetStyle(TPanelWallpaperStyle valore);

    // Copies every property of altro and announces the change once.
    void Assign(const TPanelWallpaper& altro);

signals:
    void Cambiato();

private:
    QPixmap bitmap_;
    TPanelWallpaperStyle style_ = wpTile;
};

} // namespace gridkit
