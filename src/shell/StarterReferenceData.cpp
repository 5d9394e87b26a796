#include "shell/StarterReferenceData.h"

#include "data/CaseVocabulary.h"
#include "framework/DateTime.h"

using namespace Qt::StringLiterals;

namespace vellum::StarterReferenceData {

namespace {

using CaseVocabulary::High;
using CaseVocabulary::Medium;
using CaseVocabulary::Minimal;
using DateTime::fromHoursMinutes;

constexpr std::uint8_t UserLevel = 0;
constexpr std::uint8_t SupervisorLevel = 1;
constexpr std::uint8_t AdministratorLevel = 2;
constexpr std::uint8_t ProblemTypedFreely = 2;
constexpr std::uint8_t SortBoth = 3;
constexpr std::uint8_t Refresh30Seconds = 1;

const QString Company = u"Quor Vellum Practice Desk"_s;

UserRecord user(std::uint16_t number, const QString &name, std::uint8_t level, const QString &qualification,
                const QString &fullName, const QString &position, const QString &mailbox, const QString &phone)
{
    UserRecord record;
    record.IdNr = number;
    record.Name = name;
    record.Qualification = qualification;
    record.Level = level;
    record.Greet = u"Kind regards,"_s;
    record.FullName = fullName;
    record.Position = position;
    record.Company = Company;
    record.Email = mailbox + u"@practice-desk.example"_s;
    record.Phone = phone;
    record.Fax = u"555-0199"_s;
    return record;
}

struct ClientContact {
    QString contact;
    QString phone;
    QString email;
};

struct ClientAddress {
    QString street;
    QString zip;
    QString city;
    QString region;
};

ClientRecord client(const QString &shortName, const QString &fullName, const ClientContact &contact,
                    const ClientAddress &address, const QString &priority, bool fixed, const QString &remarks)
{
    ClientRecord record;
    record.SName = shortName;
    record.LName = fullName;
    record.Contact = contact.contact;
    record.Phone = contact.phone;
    record.Email = contact.email;
    record.Priority = priority;
    record.PriorityFix = fixed ? 1 : 0;
    record.Address = address.street;
    record.ZIPCode = address.zip;
    record.City = address.city;
    record.State = address.region;
    record.Remarks = remarks;
    return record;
}

// Escalation offsets as the product form stores them: whole days plus hours:minutes.
struct Escalation {
    std::int32_t time = 0;
    std::int32_t days = 0;
};

struct ServiceLevel {
    std::int32_t response;
    Escalation first;
    Escalation second;
    Escalation third;
};

ProductRecord product(const QString &id, const QString &name, const QString &description, const ServiceLevel &level)
{
    ProductRecord record;
    record.IDProduct = id;
    record.Product = name;
    record.LName = description;
    record.Priority = Medium;
    record.Respons = level.response;
    record.FirstEsc = level.first.time;
    record.FirstEscDays = level.first.days;
    record.SecEsc = level.second.time;
    record.SecEscDays = level.second.days;
    record.ThdEsc = level.third.time;
    record.ThirdEscDays = level.third.days;
    return record;
}

} // namespace

QString passwordOf(const UserRecord &user)
{
    return user.Name.toLower().remove(u' ');
}

std::vector<UserRecord> users()
{
    return {
        user(1, u"Admin"_s, AdministratorLevel, u"Administrator"_s, u"Alma Pettigrew"_s, u"Desk Administrator"_s,
             u"admin"_s, u"555-0101"_s),
        user(2, u"Boss"_s, SupervisorLevel, u"Supervisor"_s, u"Bertram Quillfeather"_s, u"Desk Supervisor"_s, u"boss"_s,
             u"555-0102"_s),
        user(3, u"Employee 1"_s, UserLevel, u"User"_s, u"Edda Marrowby"_s, u"Support Agent"_s, u"employee1"_s,
             u"555-0103"_s),
        user(4, u"Employee 2"_s, UserLevel, u"User"_s, u"Emrys Tolliver"_s, u"Support Agent"_s, u"employee2"_s,
             u"555-0104"_s),
    };
}

SystemRecord configuration()
{
    SystemRecord record;
    record.ID = 1;
    record.DoLog = 1;
    record.HowLong = 1;
    record.DoBackup = 0;
    record.BackUpDays = 7;
    record.BackUpTime = fromHoursMinutes(1, 0);
    record.ViewFlag2 = SortBoth;
    record.RefreshInterval = Refresh30Seconds;
    record.Server = 0;
    record.DeleteClosed = 1;
    record.DeleteDays = 7;
    record.DeleteTime = fromHoursMinutes(1, 15);
    record.Server2 = 0;
    record.ProblemFix = ProblemTypedFreely;
    return record;
}

std::vector<ClientRecord> clients()
{
    return {
        client(u"FENWIC"_s, u"Fenwick & Loam Cartographers"_s,
               {u"Odile Fenwick"_s, u"555-0142"_s, u"office@fenwick-loam.example"_s},
               {u"12 Compass Row"_s, u"QV 1021"_s, u"Larkspur Bay"_s, u"Westmarch"_s}, Medium, false,
               u"Map plotters run overnight; call before 10:00."_s),
        client(u"HARBOR"_s, u"Harbourlight Tea Importers"_s,
               {u"Tobias Quenby"_s, u"555-0178"_s, u"it@harbourlight-tea.example"_s},
               {u"3 Wharfside Lane"_s, u"QV 3307"_s, u"Saltmere"_s, u"Westmarch"_s}, High, true,
               u"Customs deadlines: every outage is urgent."_s),
        client(u"MOSSGR"_s, u"Mossgrove Veterinary Practice"_s,
               {u"Ines Ravelle"_s, u"555-0115"_s, u"desk@mossgrove-vets.example"_s},
               {u"88 Fern Hollow"_s, u"QV 2214"_s, u"Brackenford"_s, u"Eastvale"_s}, Minimal, false,
               u"Small practice, one shared workstation."_s),
        client(u"QUILTR"_s, u"Quilter Street Bakery Co-op"_s,
               {u"Mabel Thorncastle"_s, u"555-0193"_s, u"orders@quilter-bakery.example"_s},
               {u"41 Quilter Street"_s, u"QV 1180"_s, u"Larkspur Bay"_s, u"Westmarch"_s}, Medium, false,
               u"Opens at 05:00; reach the contact before noon."_s),
    };
}

std::vector<ProductRecord> products()
{
    ProductRecord relay = product(u"QM-RELAY"_s, u"Quillmark Mail Relay"_s, u"Mail relay and spam gate"_s,
                                  {fromHoursMinutes(0, 30),
                                   {fromHoursMinutes(2, 0), 0},
                                   {fromHoursMinutes(8, 0), 0},
                                   {fromHoursMinutes(0, 0), 1}});
    // Office hours: the escalation clock runs only from 08:00 to 17:00 on weekdays.
    ProductRecord ledger = product(u"TW-LEDGER"_s, u"Tallowick Ledger Suite"_s, u"Bookkeeping and invoicing"_s,
                                   {fromHoursMinutes(1, 0),
                                    {fromHoursMinutes(4, 0), 0},
                                    {fromHoursMinutes(8, 0), 0},
                                    {fromHoursMinutes(4, 0), 1}});
    ledger.ServiceShift = 1;
    ledger.ServiceStart = fromHoursMinutes(8, 0);
    ledger.ServiceEnd = fromHoursMinutes(17, 0);
    // A fixed priority: every case of this product is "High". No third level.
    ProductRecord netbox =
        product(u"BW-NETBOX"_s, u"Brindlewave Network Box"_s, u"Office router and firewall"_s,
                {fromHoursMinutes(0, 15), {fromHoursMinutes(1, 0), 0}, {fromHoursMinutes(4, 0), 0}, {}});
    netbox.Priority = High;
    netbox.PriorityFix = 1;
    // One escalation level only: levels two and three are not in use.
    ProductRecord spooler = product(u"OM-SPOOL"_s, u"Ottermere Print Spooler"_s, u"Shared printing"_s,
                                    {fromHoursMinutes(4, 0), {fromHoursMinutes(8, 0), 0}, {}, {}});
    spooler.Priority = Minimal;
    return {relay, ledger, netbox, spooler};
}

std::vector<ProblemRecord> problems()
{
    std::vector<ProblemRecord> records;
    for (const QString &text :
         {u"Account - Locked"_s, u"Backup - Failed"_s, u"Database - Corrupt records"_s, u"Hardware - Disk failure"_s,
          u"Hardware - Monitor defect"_s, u"Mail - Spam filter"_s, u"Mailserver - Off line"_s, u"Network - Down"_s,
          u"Network - Slow"_s, u"Password - Forgotten"_s, u"Printer - Driver missing"_s, u"Printer - Jammed"_s,
          u"Software - Crash"_s, u"Software - Install request"_s})
        records.push_back({text});
    return records;
}

} // namespace vellum::StarterReferenceData
