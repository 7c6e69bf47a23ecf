#include "ScriptedDesktop.h"

namespace morvane::testing {
namespace {

template <typename T>
T takeFront(std::deque<T>& queue, const T& fallback = {})
{
    if (queue.empty()) return fallback;
    const T front = queue.front();
    queue.pop_front();
    return front;
}

}  // namespace

QStringList ScriptedDesktop::messageTexts() const
{
    QStringList texts;
    for (const auto& m : messages) texts << m.text;
    return texts;
}

MessageAnswer ScriptedDesktop::messageBox(const QString& text, MessageStyle style, const QString& title)
{
    messages.push_back({text, style, title.isEmpty() ? ApplicationTitle : title});
    if (whileMessageShown) whileMessageShown(messages.back());
    const auto fallback = style == MessageStyle::YesNo              ? MessageAnswer::Yes
                          : style == MessageStyle::SaveDiscardCancel ||
                                    style == MessageStyle::ReplaceSkipCancel ? MessageAnswer::Cancel
                                                                     : MessageAnswer::Ok;
    return takeFront(answers, fallback);
}

std::optional<QString> ScriptedDesktop::openFileName(const FileDialogRequest& request)
{
    openRequests.push_back(request);
    return takeFront(openChoices);
}

std::optional<QString> ScriptedDesktop::saveFileName(const FileDialogRequest& request)
{
    saveRequests.push_back(request);
    return takeFront(saveChoices);
}

std::optional<QString> ScriptedDesktop::folderName(const QString&) { return takeFront(folderChoices); }

}  // namespace morvane::testing
