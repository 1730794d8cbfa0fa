#pragma once

#include "platform/operator.h"

#include <QStringList>

#include <deque>

namespace ft::test {

// An Operator that answers from a script and records what it was shown, so
// a window test never blocks on a dialog. A question without a scripted
// answer is recorded and answered No.
class ScriptedOperator final : public platform::Operator {
public:
    void answerYes() { m_answers.push_back(true); }
    void answerNo() { m_answers.push_back(false); }

    bool askYesNo(const QString& text, Icon) override
    {
        questions << text;
        if (m_answers.empty())
            return false;
        const bool answer = m_answers.front();
        m_answers.pop_front();
        return answer;
    }
    void notify(const QString& text) override { notices << text; }
    void reportError(const QString& text) override { errors << text; }
    std::optional<std::filesystem::path> pickFolder(const QString&) override { return {}; }
    std::vector<std::filesystem::path> pickFiles(const QString&) override { return {}; }

    QStringList questions;
    QStringList notices;
    QStringList errors;

private:
    std::deque<bool> m_answers;
};

} // namespace ft::test
