#include "module/issuing/BankRecord.h"

#include "module/frame/Stringutil.h"
#include "module/issuing/SplitPaymentTitle.h"
#include "platform/text/Cp1250.h"

#include <algorithm>
#include <array>
#include <stdexcept>

namespace bankfile {
namespace {

constexpr int kNamePart = 35;
const QString kPartSeparator = QStringLiteral("???");
const std::string kLineEnd = "\r\n";

bool among(QChar c, QStringView characters)
{
    for (const QChar x : characters)
        if (x == c)
            return true;
    return false;
}

// Thousands of records go through here: the text is copied only when a
// character is to be replaced, and looked at without a call per character.
QString replaced(QString text, QStringView characters, QChar by)
{
    const QChar* begin = text.constData();
    const QChar* end = begin + text.size();
    const QChar* hit = std::find_if(begin, end, [characters](QChar c) { return among(c, characters); });
    if (hit == end)
        return text;
    const qsizetype from = hit - begin;
    QChar* data = text.data();
    for (qsizetype i = from; i < text.size(); ++i)
        if (among(data[i], characters))
            data[i] = by;
    return text;
}

// A double quote ends a quoted field of the .PLI and .IMP lines, a "|"
// separates the sub-fields of a .PLI field and a line break splits the record:
// none of them may reach the file from a free text.
QString safe(const QString& text) { return replaced(text, u"\"|\r\n", u' '); }

QString quoted(const QString& text) { return u'"' + text + u'"'; }

// Characters from..from+count-1 (1-based) of the text, what there is of them.
QString part(const QString& text, int from, int count = kNamePart) { return text.mid(from - 1, count); }

// Windows-1250 bytes with the Polish letters folded to plain ones.
std::string plain(const QString& text) { return sZamienZnakiPL(text::toCp1250(text), 12, -1); }

QString titleOf(const Record& r)
{
    if (!r.split)
        return r.title;
    return splitPaymentTitle(r.split->vat, r.split->nip, r.split->invoice, r.title);
}

// What every procedure writes of one payment, cleaned and cut.
struct Fields {
    explicit Fields(const Record& r)
        : dateText(r.realizationDate.toString(QStringLiteral("yyyyMMdd"))),
          companyAccount(accountDigits(r.companyAccount)),
          companyCity(safe(r.company.cityLine)),
          companyStreet(safe(r.company.streetLine)),
          contractorAccount(accountDigits(r.contractorAccount)),
          contractorCity(safe(r.contractor.cityLine)),
          contractorStreet(safe(r.contractor.streetLine)),
          shortName(safe(r.contractor.shortName)),
          fkCode(safe(r.contractor.fkCode)),
          amount(r.amount.rescaled(2))
    {
        const QString companyName = replaced(replaced(r.company.name, u"\"\r\n", u'\''), u"|", u' ');
        companyName1 = part(companyName, 1);
        companyName2 = part(companyName, 36);
        const QString contractorName = replaced(r.contractor.name, u"\r\n\"'|", u' ');
        contractorName1 = part(contractorName, 1);
        contractorName2 = part(contractorName, 36);
        const QString title = replaced(safe(titleOf(r)), u":", u' ');
        for (int i = 0; i < 4; ++i)
            titleParts[i] = part(title, 1 + i * kNamePart);
    }

    // "1234.50" whatever the locale: the exact value, never a double's text.
    QString amountText() const { return QString::fromStdString(amount.toString()); }
    QString grosze() const { return QString::number(amount.units); }

    QString dateText;
    QString companyName1, companyName2, companyAccount, companyCity, companyStreet;
    QString contractorName1, contractorName2, contractorAccount, contractorCity, contractorStreet;
    QString shortName, fkCode;
    std::array<QString, 4> titleParts;
    fb::Decimal amount;
};

QString transactionCode(const Record& r) { return r.split ? safe(r.split->code) : QStringLiteral("51"); }

std::string line(const QString& text) { return text::toCp1250(text) + kLineEnd; }

// Elixir-O payment order, message type 110.
std::string elixir(const Record& r)
{
    const Fields f(r);
    const QStringList fields{
        QStringLiteral("110"),
        f.dateText,
        f.grosze(),
        part(f.companyAccount, 3, 8),
        QStringLiteral("0"),
        quoted(f.companyAccount),
        quoted(f.contractorAccount),
        quoted(QStringList{f.companyName1, f.companyName2, f.companyStreet, f.companyCity}.join(u'|')),
        quoted(QStringList{f.contractorName1, f.contractorName2, f.contractorStreet, f.contractorCity}.join(u'|')),
        QStringLiteral("0"),
        part(f.contractorAccount, 3, 8),
        quoted(QStringList(f.titleParts.begin(), f.titleParts.end()).join(u'|')),
        QStringLiteral("\"\""),
        QStringLiteral("\"\""),
        quoted(transactionCode(r)),
    };
    return line(upperCp1250(fields.join(u',')));
}

// Blank-separated quoted fields; procedure 3 puts the contractor's ledger code
// before the name and has a title of three parts.
std::string imp(int procedure, const Record& r)
{
    const Fields f(r);
    const QString paragraph = safe(r.paragraph);
    QString paragraphPart;
    if (r.withParagraph && !paragraph.isEmpty()) {
        paragraphPart = QStringLiteral(" \"\" \"\" \"\" \"") + part(paragraph, 1, 5);
        if (paragraph.size() > 5)
            paragraphPart += kPartSeparator + part(paragraph, 6, 4);
        paragraphPart += u'"';
    }
    const QString name1 = procedure == 3 ? f.fkCode + u' ' + f.contractorName1 : f.contractorName1;
    const int titleParts = procedure == 3 ? 3 : 4;
    const QString title = QStringList(f.titleParts.begin(), f.titleParts.begin() + titleParts).join(kPartSeparator);
    const QString address = name1 + kPartSeparator + f.contractorCity + kPartSeparator + f.contractorStreet;
    const QStringList fields{
        quoted(safe(r.contractorBankName)),
        quoted(address),
        quoted(f.contractorAccount),
        QStringLiteral("78"),
        f.amountText(),
        quoted(safe(r.companyBankName)),
        quoted(f.companyName1),
        quoted(safe(r.companyAccount)),
        quoted(title),
        QStringLiteral("\"PLN\""),
        quoted(f.shortName),
        quoted(address),
        QStringLiteral("\"N\""),
        QStringLiteral("\"SF\""),
    };
    return line(upperCp1250(fields.join(u' ') + paragraphPart));
}

// A block of numbered lines in plain letters.
std::string txt(const Record& r)
{
    const Fields f(r);
    auto upperPlain = [](const QString& text) { return plain(upperCp1250(text)); };
    std::string out;
    auto add = [&out](const std::string& text) { out += text + kLineEnd; };
    add("0");
    add("11");
    add("1");
    add(upperPlain(part(r.company.identifier, 1, 10)));
    add("2");
    add(text::toCp1250(f.companyAccount.right(10)));
    add("3");
    add(text::toCp1250(part(f.contractorAccount, 3, 8)));
    add("4");
    add(text::toCp1250(f.contractorAccount));
    add("6");
    add(upperPlain(f.contractorName1));
    add(plain(part(f.contractorStreet, 1)));
    add(upperPlain(part(f.contractorCity, 1)));
    add("7");
    add(text::toCp1250(f.amountText()));
    add("8");
    add(text::toCp1250(r.pickerDate.toString(QStringLiteral("dd/MM/yy"))));
    add("9");
    for (const QString& titlePart : f.titleParts)
        add(upperPlain(titlePart));
    add("-1");
    return out;
}

}  // namespace

Company companyFrom(const QStringList& record)
{
    auto field = [&record](int number) { return record.value(number - 1); };
    return {field(1), field(2), field(7) + QStringLiteral("  ") + field(5),
            field(6) + QStringLiteral("  ") + field(9) + u'/' + field(10)};
}

Contractor contractorFrom(const QString& name, const QString& postalCode, const QString& city, const QString& street,
                          const QString& building, const QString& flat, const QString& shortName,
                          const QString& fkCode)
{
    Contractor c;
    c.name = name;
    c.cityLine = postalCode.startsWith(u' ') ? city : postalCode + QStringLiteral("  ") + city;
    c.streetLine = street + u' ' + building;
    QString flatText = flat;
    while (flatText.endsWith(u' '))
        flatText.chop(1);
    if (!flatText.isEmpty())
        c.streetLine += u'/' + flat;
    c.shortName = shortName;
    c.fkCode = fkCode;
    return c;
}

QString accountDigits(QString account) { return account.remove(u'-').remove(u' '); }

QString extension(int procedure)
{
    switch (procedure) {
    case 1: return QStringLiteral(".PLI");
    case 2:
    case 3:
    case 4: return QStringLiteral(".IMP");
    case 5: return QStringLiteral(".TXT");
    default: return {};
    }
}

bool carriesSplitPayment(int procedure) { return procedure == 1; }

std::string record(int procedure, const Record& r)
{
    if (r.split && !carriesSplitPayment(procedure))
        throw std::invalid_argument("split payment in the format of procedure " + std::to_string(procedure));
    switch (procedure) {
    case 1: return elixir(r);
    case 2:
    case 3:
    case 4: return imp(procedure, r);
    case 5: return txt(r);
    default: throw std::invalid_argument("no bank file format for procedure " + std::to_string(procedure));
    }
}

QString upperCp1250(const QString& text)
{
    QString out = text;
    for (QChar& c : out) {
        if (c.unicode() < 0x80) {
            if (c >= u'a' && c <= u'z')
                c = QChar(c.unicode() - (u'a' - u'A'));
            continue;
        }
        const QChar upper = c.toUpper();
        if (upper != c && text::hasCp1250(upper.unicode()))
            c = upper;
    }
    return out;
}

}  // namespace bankfile
