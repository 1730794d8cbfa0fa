#pragma once

#include "core/platform/operator.h"
#include "support/box_kinds.h"

#include <gtest/gtest.h>

#include <QStringList>
#include <QtGlobal>

#include <deque>
#include <filesystem>
#include <optional>
#include <vector>

namespace ft::test {

// An Operator that answers from a script and records what it was shown, so
// no test ever blocks on a dialog. Yes/No answers are taken in order; a
// question without a scripted answer is recorded and answered No. The folder
// and file pickers return `folder`, `files` and `fileToWrite` every time
// they are asked.
class ScriptedOperator final : public platform::Operator {
public:
    void answerYes() { answers.push_back(true); }
    void answerNo() { answers.push_back(false); }

    bool askYesNo(const QString& text, Icon icon, DefaultAnswer defaultAnswer) override
    {
        questions << text;
        checkKind(text, icon == Icon::Warning ? BoxKind::WarningQuestion : BoxKind::Question);
        icons.push_back(icon);
        defaults.push_back(defaultAnswer);
        if (answers.empty())
            return false;
        const bool answer = answers.front();
        answers.pop_front();
        return answer;
    }
    void notify(const QString& text, Notice kind) override
    {
        notices << text;
        checkKind(text, kind == Notice::Warning       ? BoxKind::Warning
                        : kind == Notice::Information ? BoxKind::Information
                                                      : BoxKind::Plain);
        noticeKinds.push_back(kind);
    }
    void reportError(const QString& text) override
    {
        errors << text;
        checkKind(text, BoxKind::Error);
    }
    std::optional<std::filesystem::path> pickFolder(const QString& prompt) override
    {
        prompts << prompt;
        return folder;
    }
    std::vector<std::filesystem::path> pickFiles(const QString& filter) override
    {
        prompts << filter;
        return files;
    }
    std::optional<FileToWrite> pickFileToWrite(const QString& title, const QStringList& filters,
                                               const QString& suggested) override
    {
        prompts << title << suggested;
        writeFilters = filters;
        if (!fileToWrite)
            return std::nullopt;
        return FileToWrite{*fileToWrite, fileToWriteFilter};
    }

    // The script.
    std::deque<bool> answers;
    std::optional<std::filesystem::path> folder;
    std::vector<std::filesystem::path> files;
    std::optional<std::filesystem::path> fileToWrite;
    int fileToWriteFilter = 0; // the index of the file type it is saved as

    // What the operator was shown, in order. `prompts` holds the folder
    // browser's prompt, the file dialog's filter and the save dialog's
    // title and suggested name.
    QStringList questions;
    std::vector<Icon> icons;
    std::vector<DefaultAnswer> defaults;
    QStringList notices;
    std::vector<Notice> noticeKinds;
    QStringList errors;
    QStringList prompts;
    QStringList writeFilters; // the file types the save dialog offered last

private:
    // Every test that raises a known message checks it comes in its box. A
    // Qt Test program has no running GoogleTest case to fail, so it stops.
    static void checkKind(const QString& text, BoxKind shownAs)
    {
        const std::optional<BoxKind> expected = expectedBoxKind(text);
        if (!expected || *expected == shownAs)
            return;
        if (::testing::UnitTest::GetInstance()->current_test_info() == nullptr)
            qFatal("shown in the wrong kind of box: %s", qPrintable(text));
        ADD_FAILURE() << "shown in the wrong kind of box: " << text.toStdString();
    }
};

} // namespace ft::test
