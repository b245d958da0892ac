#pragma once
// The window's fonts. Arial, Courier New and MS Sans Serif are not on Linux;
// the metric-compatible Liberation fonts take their place.

#include <QFont>

namespace ventaro::ui {

inline QFont Schrift(const char* familie, int pixel, bool fett) {
    QFont font(QString::fromLatin1(familie));
    font.setPixelSize(pixel);
    font.setBold(fett);
    return font;
}

inline QFont Arial(int pixel, bool fett = true) { return Schrift("Liberation Sans", pixel, fett); }
inline QFont CourierNew(int pixel, bool fett = true) { return Schrift("Liberation Mono", pixel, fett); }
inline QFont MsSansSerif(int pixel, bool fett = true) { return Schrift("Liberation Sans", pixel, fett); }

}  // namespace ventaro::ui
