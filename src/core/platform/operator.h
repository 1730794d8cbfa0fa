#pragma once

#include <QString>
#include <QStringList>

#include <filesystem>
#include <optional>
#include <vector>

namespace ft::platform {

// Every question and notice the program puts to the person at the screen.
// The desktop program answers with Qt dialogs, the command-line tool from its
// options, tests with scripted answers.
class Operator {
public:
    enum class Icon { Information, Question, Warning };
    // How a notice looks: the designed notices are plain; what the program
    // adds to them says what it is (a run that was stopped informs, a data
    // set that could not be registered warns).
    enum class Notice { Plain, Information, Warning };
    // The answer Enter gives: No for questions whose Yes cannot be undone.
    enum class DefaultAnswer { Yes, No };

    virtual ~Operator() = default;

    // A Yes/No question; true only for Yes.
    virtual bool askYesNo(const QString& text, Icon icon = Icon::Question,
                          DefaultAnswer defaultAnswer = DefaultAnswer::Yes) = 0;
    // A notice with an OK button.
    virtual void notify(const QString& text, Notice kind = Notice::Plain) = 0;
    // A folder, or nothing when the operator cancelled.
    virtual std::optional<std::filesystem::path> pickFolder(const QString& prompt) = 0;
    // Existing files matching the filter (Qt file-dialog filter syntax);
    // empty when the operator cancelled.
    virtual std::vector<std::filesystem::path> pickFiles(const QString& filter) = 0;
    // A file to write and the file type it was saved as.
    struct FileToWrite {
        std::filesystem::path path;
        int filter = 0; // index into the filters offered
    };
    // A file to write, which may exist already (the person has then agreed
    // to replace it), or nothing when the operator cancelled. `title` is the
    // dialog's caption, `filters` the file types offered (Qt file-dialog
    // filter syntax, the first chosen at the start), `suggested` the name it
    // starts with.
    virtual std::optional<FileToWrite>
    pickFileToWrite(const QString& title, const QStringList& filters, const QString& suggested) = 0;
    // The message of a command that failed. Implementations that draw no
    // difference between errors and notices need not override it.
    virtual void reportError(const QString& text) { notify(text); }
};

} // namespace ft::platform
