#pragma once
// The whole-program test's agent: registers one case through the windows an agent uses ("&Cases",
// "&Insert", the case form's client, product and problem, "&OK"), then opens "&Queues" and notes
// which cases the activity view lists. Each step waits for the window it needs.

#include <QObject>
#include <QString>

#include <functional>

class QWidget;

namespace vellum {

class MainFrame;

class AutomatedCase final : public QObject {
public:
    using Note = std::function<void(const QString &kind, const QString &text)>;

    // script: "CLIENT:PRODUCT:PROBLEM"; done runs after the last step or a failed one.
    AutomatedCase(MainFrame *frame, const QString &script, Note note, std::function<void()> done);

    void start();

private:
    // Runs action once find() answers a widget, polling for a while; notes a failure otherwise.
    void when(const std::function<QWidget *()> &find, const QString &what,
              const std::function<void(QWidget *)> &action);
    void insertCase(QWidget *queue);
    void fillForm(QWidget *form);
    void openQueues();
    void noteLists(QWidget *view);

    MainFrame *m_frame;
    QString m_client;
    QString m_product;
    QString m_problem;
    Note m_note;
    std::function<void()> m_done;
};

} // namespace vellum
