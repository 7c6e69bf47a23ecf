#include "FolderElidingDelegate.h"

#include <QDir>
#include <QFontMetrics>

namespace morvane::library {
namespace {

// Room the style keeps on either side of a cell's text.
constexpr int CellMargins = 8;

}  // namespace

QString elidedFolder(const QString& path, const QFontMetrics& metrics, int width)
{
    if (metrics.horizontalAdvance(path) <= width) return path;
    const qsizetype nameStart = path.lastIndexOf(QDir::separator()) + 1;
    const QString name = path.mid(nameStart);
    const int room = width - metrics.horizontalAdvance(name);
    return metrics.elidedText(path.left(nameStart), Qt::ElideMiddle, std::max(room, 0)) + name;
}

void FolderElidingDelegate::initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const
{
    QStyledItemDelegate::initStyleOption(option, index);
    option->text = elidedFolder(option->text, option->fontMetrics, option->rect.width() - CellMargins);
}

}  // namespace morvane::library
