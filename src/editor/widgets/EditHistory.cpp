#include "EditHistory.h"

#include <QAction>

#include <utility>

namespace morvane {
namespace {

class FieldsStep final : public QUndoCommand {
public:
    FieldsStep(EditHistory::Restore restore, KitFields before, KitFields after, const QString& name)
        : QUndoCommand(name), restore_(std::move(restore)), before_(std::move(before)), after_(std::move(after))
    {
    }

    void undo() override { restore_(before_); }
    // The stack redoes a step as it takes it in, when the change is made already.
    void redo() override
    {
        if (std::exchange(takenIn_, true)) restore_(after_);
    }

private:
    EditHistory::Restore restore_;
    KitFields before_;
    KitFields after_;
    bool takenIn_ = false;
};

template <typename TextChanged, typename AbleChanged>
void follow(QUndoStack& steps, QAction* item, const QString& verb, TextChanged textChanged, AbleChanged ableChanged)
{
    item->setEnabled(false);
    QObject::connect(&steps, textChanged, item, [item, verb](const QString& step) {
        item->setText(step.isEmpty() ? verb : verb + QLatin1Char(' ') + step);
    });
    QObject::connect(&steps, ableChanged, item, &QAction::setEnabled);
}

}  // namespace

EditHistory::EditHistory(QAction* undoItem, QAction* redoItem, Restore restore) : restore_(std::move(restore))
{
    follow(steps_, undoItem, QStringLiteral("Undo"), &QUndoStack::undoTextChanged, &QUndoStack::canUndoChanged);
    follow(steps_, redoItem, QStringLiteral("Redo"), &QUndoStack::redoTextChanged, &QUndoStack::canRedoChanged);
}

void EditHistory::stepTaken(const KitFields& before, const KitFields& after, const QString& name)
{
    steps_.push(new FieldsStep(restore_, before, after, name));
}

}  // namespace morvane
