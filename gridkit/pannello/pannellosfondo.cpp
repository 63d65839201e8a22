#include "gridkit/pannello/pannellosfondo.h"

namespace gridkit {

TPanelWallpaper::TPanelWallpaper(QObject* owner) : QObject(owner) {}

void TPanelWallpaper::SetBitmap(const QPixmap& valore)
{
    // Two pixmaps with the same key are the same picture.
    if (valore.cacheKey() == bitmap_.cacheKey() || (valore.isNull() && bitmap_.isNull()))
        return;
    bitmap_ = valore;
    emit Cambiato();
}

void TPanelWallpaper::SetStyle(TPanelWallpaperStyle valore)
{
    if (valore == style_)
        return;
    style_ = valore;
    emit Cambiato();
}

void TPanelWallpaper::Assign(const TPanelWallpaper& altro)
{
    if (&altro == this)
        return;
    bitmap_ = altro.bitmap_;
    style_ = altro.style_;
    emit Cambiato();
}

} // namespace gridkit
