#pragma once

#include <functional>
#include <ostream>
#include <vector>

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>

class QDialog;

// Answers the modal dialogues that an action opens, in order, one handler per
// dialogue, from a timer that runs inside the dialogues' own event loops. A
// dialogue beyond the handlers fails the test and is closed; so is every
// dialogue still open when the time limit runs out, so a test never hangs.
class ModalAnswerer : public QObject {
public:
    using Handler = std::function<void(QDialog&)>;

    explicit ModalAnswerer(std::vector<Handler> handlers, int timeLimitMs = 20000);
    ~ModalAnswerer() override;

    // Handlers not yet called.
    size_t Unanswered() const { return handlers_.size() - next_; }

private:
    void Poll();

    std::vector<Handler> handlers_;
    size_t next_ = 0;
    QPointer<QDialog> answered_;
    QTimer timer_;
    QElapsedTimer clock_;
    int timeLimitMs_;
};

// The text a message box, input box or Yes/No box shows: its prompt, or the
// rows of its line list joined by "\n".
QString ShownText(const QDialog& dialogue);

// Clicks the dialogue's button of that object name.
void ClickButton(QDialog& dialogue, const char* objectName);

// Handlers for the usual cases; each checks the title and the shown text.
ModalAnswerer::Handler AnswerYesNo(const QString& prompt, const QString& title, bool yes);
ModalAnswerer::Handler ConfirmText(const QString& prompt, const QString& title,
                                   const QString& defaultText);
// Reads a message box's title and text into the given strings and presses OK.
ModalAnswerer::Handler ReadMessage(QString& title, QString& text);

// Lets GoogleTest print Qt strings as text in its failure messages.
void PrintTo(const QString& text, std::ostream* out);
