#include "gui/app/CWindowPlacement.h"

#include "core/lang/CProfile.h"

#include <QGuiApplication>
#include <QScreen>
#include <QStringList>
#include <QWidget>

namespace {

const QString SECTION = QStringLiteral("Window");
const QString ENTRY = QStringLiteral("Placement");

} // namespace

QRect CWindowPlacement::Place(const QRect& stored, const QList<QRect>& screens) {
    for (const QRect& screen : screens) {
        const QRect shown = screen.intersected(stored);
        if (shown.width() >= MIN_VISIBLE.width() && shown.height() >= MIN_VISIBLE.height())
            return stored;
    }
    if (screens.isEmpty())
        return QRect(QPoint(0, 0), PREFERRED_SIZE);
    const QRect& primary = screens.first();
    QRect placed(QPoint(0, 0), PREFERRED_SIZE.boundedTo(primary.size() - FRAME_ALLOWANCE));
    placed.moveCenter(primary.center());
    return placed;
}

void CWindowPlacement::Restore(QWidget& window) {
    const QStringList fields = CProfile::GetString(SECTION, ENTRY).split(u',');
    QList<int> numbers;
    for (const QString& field : fields)
        numbers << field.trimmed().toInt();
    QRect stored;
    if (numbers.size() == 5)
        stored = QRect(numbers[0], numbers[1], numbers[2], numbers[3]);
    QList<QRect> screens;
    if (QScreen* primary = QGuiApplication::primaryScreen())
        screens << primary->availableGeometry();
    for (const QScreen* screen : QGuiApplication::screens())
        screens << screen->availableGeometry();
    const QRect placed = Place(stored, screens);
    window.setGeometry(placed);
    if (numbers.size() == 5 && numbers[4] != 0 && placed == stored)
        window.setWindowState(window.windowState() | Qt::WindowMaximized);
}

void CWindowPlacement::Store(const QWidget& window) {
    const QRect normal =
        window.normalGeometry().isValid() ? window.normalGeometry() : window.geometry();
    CProfile::WriteString(SECTION, ENTRY,
                          QStringLiteral("%1,%2,%3,%4,%5")
                              .arg(normal.x())
                              .arg(normal.y())
                              .arg(normal.width())
                              .arg(normal.height())
                              .arg(window.isMaximized() ? 1 : 0));
}
