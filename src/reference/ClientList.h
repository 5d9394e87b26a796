#pragma once
// The client list: every client of Client.tps in four orders (short name, full name, city,
// contact), each with its step locator, edited in the client form; also opened to pick a
// client for a case. "Im&port" is offered to administrators only, as logged on now.

#include "ClientImportWindow.h"
#include "framework/widgets/BrowseList.h"

#include <QPointer>

namespace vellum {

class Workstation;

class ClientList final : public BrowseList {
    Q_OBJECT

public:
    static const QString ProcedureName;
    static const QString HelpTopic;

    enum Column {
        NameColumn,
        FullNameColumn,
        ContactColumn,
        PhoneColumn,
        EmailColumn,
        AddressColumn,
        ZipCodeColumn,
        CityColumn,
        StateColumn,
        ColumnCount
    };

    explicit ClientList(Workstation &workstation, QWidget *parent = nullptr);

    QPushButton *importButton() const { return m_import; }
    ClientImportWindow *importWindow() const { return m_importWindow; }

protected:
    void applyRights() override;

private:
    void addOwnItems();
    FormWindow *newForm();
    void openImport();

    Workstation &m_workstation;
    QPushButton *m_import;
    QPointer<ClientImportWindow> m_importWindow;
};

} // namespace vellum
