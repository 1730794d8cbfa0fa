#include "viewer/window_placement.h"
#include "core/platform/path_text.h"

#include <QSettings>

#include <algorithm>

namespace ft::viewer {

namespace {

const QString kGeometryKey = QStringLiteral("window/geometry");
const QString kMaximisedKey = QStringLiteral("window/maximised");

// The kept area cut to the screen's available area less the frame.
QRect fitted(const QRect& area, const QRect& screen, const QMargins& frame)
{
    const QRect inner = screen.marginsRemoved(frame);
    QRect result(area.topLeft(), area.size().boundedTo(inner.size()));
    result.moveLeft(std::clamp(result.left(), inner.left(), inner.right() - result.width() + 1));
    result.moveTop(std::clamp(result.top(), inner.top(), inner.bottom() - result.height() + 1));
    return result;
}

} // namespace

QRect placeWindow(QSize wanted, const std::optional<QRect>& kept, const QList<QRect>& screens,
                  const QRect& pointerScreen, const QMargins& frame)
{
    if (kept && kept->isValid()) {
        const QRect grip(kept->topLeft(), kVisibleGrip.boundedTo(kept->size()));
        for (const QRect& screen : screens)
            if (screen.contains(grip))
                return fitted(*kept, screen, frame);
    }
    const QRect inner = pointerScreen.marginsRemoved(frame);
    QRect result(QPoint(0, 0), wanted.boundedTo(inner.size()));
    result.moveCenter(inner.center());
    return result;
}

std::optional<WindowPlace> readWindowPlace(const std::filesystem::path& file)
{
    if (!std::filesystem::exists(file))
        return std::nullopt;
    const QSettings settings(QString::fromStdString(platform::pathText(file)),
                             QSettings::IniFormat);
    const QRect geometry = settings.value(kGeometryKey).toRect();
    if (!geometry.isValid())
        return std::nullopt;
    return WindowPlace{geometry, settings.value(kMaximisedKey, false).toBool()};
}

void writeWindowPlace(const std::filesystem::path& file, const WindowPlace& place)
{
    // QSettings writes through a lock file and a replacement file, so two
    // viewers closing at once leave one whole file.
    QSettings settings(QString::fromStdString(platform::pathText(file)), QSettings::IniFormat);
    settings.setValue(kGeometryKey, place.geometry);
    settings.setValue(kMaximisedKey, place.maximised);
    settings.sync();
}

std::filesystem::path viewerSettingsFile(const std::filesystem::path& settingsFolder)
{
    return settingsFolder / "Tavla.ini";
}

} // namespace ft::viewer
