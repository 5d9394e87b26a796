#pragma once
// The client form "Update the client File": one client of Client.tps with its contact data and
// its fixed priority. At most two client forms are open on a workstation; a further request
// brings the newest to the front and is cancelled. A case form opens it with the case's client
// short name: that client is then edited as a change with the short name and the priority locked,
// and its full name and phone are handed back when the form closes.

#include "framework/widgets/FormWindow.h"

#include <memory>
#include <utility>
#include <vector>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;

namespace vellum {

class Workstation;

class ClientForm final : public FormWindow {
    Q_OBJECT

public:
    static const QString ProcedureName;
    static const QString HelpTopic;
    static constexpr int MostOpen = 2;

    // From the client list: the list read or primed the record in `clients`.
    ClientForm(Workstation &workstation, FileRelations &clients, QWidget *parent = nullptr);
    // From a case form: the client with this short name, edited as a change whatever the request.
    ClientForm(Workstation &workstation, const QString &shortName, QWidget *parent = nullptr);
    ~ClientForm() override;

    bool forCaseClient() const { return !m_shortName.isEmpty(); }
    // The entry of a field of the client record; nullptr for a field the form does not show.
    QLineEdit *entry(int field) const;
    QGroupBox *priorityGroup() const { return m_priorityGroup; }
    QCheckBox *priorityBox() const { return m_priorityBox; }
    QComboBox *priorityList() const { return m_priorityList; }

Q_SIGNALS:
    // A form opened for a case's client closed: the client's values as stored now.
    void handedBack(const QString &fullName, const QString &phone);

protected:
    bool beforeOpen(FormRequest *request) override;
    bool controlsAccepted() override;
    void recordShown() override;
    void applyRights() override;

private:
    struct OwnedFile;

    ClientForm(Workstation &workstation, FileRelations *clients, std::unique_ptr<OwnedFile> owned,
               const QString &shortName, QWidget *parent);
    void addEntries();
    QLineEdit *addEntry(const QString &label, int field, int width, const QString &tip = {});
    void addPriority();
    bool admitted();
    bool readCaseClient();
    void handBack();

    Workstation &m_workstation;
    std::unique_ptr<OwnedFile> m_owned;
    QString m_shortName;
    bool m_clientRead = false;
    std::vector<std::pair<int, QLineEdit *>> m_entries;
    QGroupBox *m_priorityGroup = nullptr;
    QCheckBox *m_priorityBox = nullptr;
    QComboBox *m_priorityList = nullptr;
};

} // namespace vellum
