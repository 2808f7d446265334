// The record formats byte for byte, split payments included. Every expected
// line below was written from the format layouts by hand: Windows-1250 bytes
// as \xNN escapes.
#include "module/issuing/BankRecord.h"
#include "module/issuing/SplitPaymentTitle.h"

#include <gtest/gtest.h>

namespace {

using bankfile::Record;

bankfile::Company school() {
    return bankfile::companyFrom({"Szkoła \"Podstawowa\" nr 3 im. Marii Konopnickiej w Żywcu", "Szkoła Żywiec 3",
                                  "553-187-92-46", "072451838", "Żywiec", "ul. Kościuszki", "34-300", "Żywiec", "12",
                                  ""});
}

// A company name's quote becomes an apostrophe, a contractor name's quote,
// apostrophe, "|" and line breaks become blanks; titles lose colons, quotes,
// "|" and line breaks; an account is written without dashes and blanks.
Record awkward() {
    Record r;
    r.company = school();
    r.companyBankName = QStringLiteral("Powszechny Bank Komunalny");
    r.companyAccount = QStringLiteral("30 1020 0133 0000 1588 1399 8698");
    r.contractor = bankfile::contractorFrom("Bar \"Pod|Lipą\"\r\nO'Neill sp. z o.o.", "43-300", "Bielsko-Biała",
                                            "ul. Wąska", "7", "3a", "Bar|Lipa", "K0004");
    r.contractorAccount = QStringLiteral("12-1050 1445-1000 0022-7647 0000");
    r.contractorBankName = QStringLiteral("Bank \"Pekao\" | O/Żywiec");
    r.title = QStringLiteral(
        "Faktura: FV/7/2026 za \"mleko\" i ser"  // 35 characters
        "|ą\r\nę");
    r.amount = fb::Decimal{12345000, 4};
    r.realizationDate = QDate(2026, 12, 1);
    r.pickerDate = QDate(2026, 12, 3);
    return r;
}

// A name and a title of several parts, a postal code starting with a blank
// and a flat number of blanks only.
Record longTexts() {
    Record r = awkward();
    r.companyBankName = QStringLiteral("Beskidzki Bank Spółdzielczy");
    r.companyAccount = QStringLiteral("36-8117-0133-0000-7973-0911-4170");
    r.contractor = bankfile::contractorFrom("Firma Handlowa \"Świerk\" Sp. z o.o. Oddział w Żywcu ul. Długa", " 43-300",
                                            "Bielsko-Biała", "Cicha", "5", "  ", "FH Świerk", "K0009");
    r.contractorAccount = QStringLiteral("61109010140000071219812874");
    r.contractorBankName = QStringLiteral("Bank Pekao");
    r.title = QStringLiteral(
        "Zapłata za faktury: FV/1, FV/2, FV/"
        "3 oraz korekta KOR/4 z dnia 1 grudn"
        "ia 2026 r. dla Szkoły Podstawowej n"
        "r 3 w Żywcu");
    r.paragraph = QStringLiteral("4210");
    r.withParagraph = true;
    return r;
}

std::string bytes(int procedure, const Record& r) { return bankfile::record(procedure, r); }

// The Elixir-O line of awkward() up to its title.
const std::string kElixirHead =
    "110,20261201,123450,10200133,0,\"30102001330000158813998698\",\"12105014451000002276470000\","
    "\"SZKO\xA3"
    "A 'PODSTAWOWA' NR 3 IM. MARII |KONOPNICKIEJ W \xAFYWCU|UL. KO\x8C"
    "CIUSZKI  12/|34-300  \xAFYWIEC\","
    "\"BAR  POD LIP\xA5   O NEILL SP. Z O.O.||UL. W\xA5SKA 7/3A|43-300  BIELSKO-BIA\xA3"
    "A\",0,10501445,";

TEST(BankRecord, ElixirLineJoinsSubFieldsAndUpperCasesPolishLetters) {
    EXPECT_EQ(kElixirHead + "\"FAKTURA  FV/7/2026 ZA  MLEKO  I SER| \xA5  \xCA||\",\"\",\"\",\"51\"\r\n",
              bytes(1, awkward()));
}

// A split payment's title is the message "/VAT/amount/IDC/NIP/INV/invoice/TXT/text"
// laid over the four 35-character sub-fields: here the invoice runs over the
// first boundary, the free text over the second and loses what the message
// does not take (33 characters). Only Elixir-O carries it, with the split
// code or the bank's own, made safe.
TEST(BankRecord, SplitPaymentTitleAndCode) {
    Record r = awkward();
    r.split = bankfile::SplitPayment{fb::Decimal{12345000, 4}, QStringLiteral("551-239-34-71"),
                                     QStringLiteral("FV/2026/12/000123/zakup/SZKOŁA/7"), bankfile::kSplitPaymentCode};
    EXPECT_EQ(kElixirHead +
                  "\"/VAT/1234,50/IDC/5512393471/INV/FV/|2026/12/000123/ZAKUP/SZKO\xA3"
                  "A/7/TXT/F|"
                  "AKTURA  FV/7/2026 ZA  MLEKO  I S|\",\"\",\"\",\"53\"\r\n",
              bytes(1, r));
    r.split->code = QStringLiteral("5\"3");
    const std::string ownCode = bytes(1, r);
    EXPECT_EQ(",\"\",\"\",\"5 3\"\r\n", ownCode.substr(ownCode.size() - 14));

    EXPECT_TRUE(bankfile::carriesSplitPayment(1));
    for (int procedure = 2; procedure <= 5; ++procedure) {
        EXPECT_FALSE(bankfile::carriesSplitPayment(procedure));
        EXPECT_THROW(bytes(procedure, r), std::invalid_argument) << procedure;
    }
}

TEST(BankRecord, SplitPaymentAmountNipInvoiceAndTextAsTheMessageTakesThem) {
    EXPECT_EQ(QStringLiteral("0,07"), bankfile::vatAmountText(fb::Decimal{7, 2}));
    EXPECT_EQ(QStringLiteral("12,35"), bankfile::vatAmountText(fb::Decimal{123450, 4})) << "rounded to the grosz";
    EXPECT_EQ(QStringLiteral("1234567,89"), bankfile::vatAmountText(fb::Decimal{12345678900, 4}))
        << "no thousands separator";

    EXPECT_EQ(QStringLiteral("/VAT/23,00/IDC/5260250274/INV/FV 1/2026/TXT/za obiady"),
              bankfile::splitPaymentTitle(fb::Decimal{2300, 2}, QStringLiteral("PL 526-025-02-74"),
                                          QStringLiteral(" FV 1/2026 "), QStringLiteral("  za obiady  ")));
    EXPECT_EQ(QStringLiteral("/VAT/0,01/IDC/5260250274/INV/FAKTURA-ZBIORCZA/2026/12/0000000001"
                             "/TXT/123456789012345678901234567890123"),
              bankfile::splitPaymentTitle(fb::Decimal{1, 2}, QStringLiteral("5260250274"),
                                          QStringLiteral("FAKTURA-ZBIORCZA/2026/12/0000000001-KOREKTA"),
                                          QStringLiteral("123456789012345678901234567890123XYZ")))
        << "a long invoice number is cut to 35 characters, the text to 33";
}

TEST(BankRecord, ImpLinesOfProceduresTwoAndFour) {
    const std::string address =
        "\"FIRMA HANDLOWA  \x8CWIERK  SP. Z O.O. ???BIELSKO-BIA\xA3"
        "A???CICHA 5\"";
    const std::string title =
        "\"ZAP\xA3"
        "ATA ZA FAKTURY  FV/1, FV/2, FV/???3 ORAZ KOREKTA KOR/4 Z DNIA 1 GRUDN???"
        "IA 2026 R. DLA SZKO\xA3Y PODSTAWOWEJ N???R 3 W \xAFYWCU\"";
    const std::string withoutParagraph = "\"BANK PEKAO\" " + address +
                                         " \"61109010140000071219812874\" 78 1234.50 "
                                         "\"BESKIDZKI BANK SP\xD3\xA3"
                                         "DZIELCZY\" \"SZKO\xA3"
                                         "A 'PODSTAWOWA' NR 3 IM. MARII \" "
                                         "\"36-8117-0133-0000-7973-0911-4170\" " +
                                         title + " \"PLN\" \"FH \x8CWIERK\" " + address + " \"N\" \"SF\"";

    Record r = longTexts();
    EXPECT_EQ(withoutParagraph + " \"\" \"\" \"\" \"4210\"\r\n", bytes(2, r));

    r.paragraph = QStringLiteral("801-801014");
    EXPECT_EQ(withoutParagraph + " \"\" \"\" \"\" \"801-8???0101\"\r\n", bytes(4, r))
        << "the tenth character is dropped";
}

TEST(BankRecord, TxtBlockFoldsPolishLettersAndTakesThePickerDate) {
    Record r = awkward();
    r.companyAccount = QStringLiteral("87 1240 0131 0000 6169 8716 8976");
    r.contractor = bankfile::contractorFrom("Zakład Usług \"Ćma\" Łukasz Żółć", "34-300", "Żywiec",
                                            "ul. Świętej Jadwigi Śląskiej i Błogosławionego Czesława", "12", "4", "Ćma",
                                            "K0031");
    r.title = QStringLiteral("Opłata: ąćęłńóśźż");
    EXPECT_EQ(
        "0\r\n11\r\n"
        "1\r\nSZKOLA ZYW\r\n"
        "2\r\n6987168976\r\n"
        "3\r\n10501445\r\n"
        "4\r\n12105014451000002276470000\r\n"
        "6\r\nZAKLAD USLUG  CMA  LUKASZ ZOLC\r\nul. Swietej Jadwigi Slaskiej i Blog\r\n34-300  ZYWIEC\r\n"
        "7\r\n1234.50\r\n"
        "8\r\n03/12/26\r\n"
        "9\r\nOPLATA  ACELNOSZZ\r\n\r\n\r\n\r\n"
        "-1\r\n",
        bytes(5, r));
}

TEST(BankRecord, AmountsAreWrittenFromTheExactDecimal) {
    Record r = awkward();
    r.amount = fb::Decimal{5000, 4};
    EXPECT_NE(std::string::npos, bytes(1, r).find(",20261201,50,10200133,"));
    EXPECT_NE(std::string::npos, bytes(5, r).find("\r\n7\r\n0.50\r\n"));
    r.amount = fb::Decimal{99999999999999, 2};
    EXPECT_NE(std::string::npos, bytes(2, r).find(" 78 999999999999.99 "));
}

TEST(BankRecord, UpperCaseKeepsTheLengthAndAnUnknownProcedureIsRefused) {
    EXPECT_EQ(QStringLiteral("ŻÓŁW ĄĘ ß µ É"), bankfile::upperCp1250(QStringLiteral("żółw ąę ß µ é")))
        << "letters without a Windows-1250 capital stay, the length never changes";
    EXPECT_THROW(bankfile::record(6, awkward()), std::invalid_argument);
}

}  // namespace
