#pragma once

#include <QStyledItemDelegate>

namespace morvane::library {

// Shows a path too long for its cell with the middle of its folder left out,
// never the file name, which is what tells kits of one title apart.
class FolderElidingDelegate final : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;
};

// The path as it fits width: whole, or its folder elided in the middle.
QString elidedFolder(const QString& path, const QFontMetrics& metrics, int width);

}  // namespace morvane::library
