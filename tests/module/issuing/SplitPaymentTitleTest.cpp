// Split payments in the bank file, byte for byte: the expected titles were
// written by hand from the message layout "/VAT/amount/IDC/NIP/INV/invoice/TXT/text"
// laid over the four 35-character sub-fields of the Elixir-O title.
#include "module/issuing/BankRecord.h"
#include "module/issuing/SplitPaymentTitle.h"

#include <gtest/gtest.h>

namespace {

using bankfile::Record;

Record ordinary() {
    Record r;
    r.company = bankfile::companyFrom({"Szkoła Podstawowa nr 3", "Szkoła 3", "553-187-92-46", "", "Żywiec",
                                       "ul. Kościuszki", "34-300", "Żywiec", "12", ""});
    r.companyAccount = QStringLiteral("30 1020 0133 0000 1588 1399 8698");
    r.contractor = bankfile::contractorFrom("Mleczarnia Łąka", "43-300", "Bielsko-Biała", "ul. Wąska", "7", "", "Łąka",
                                            "K0004");
    r.contractorAccount = QStringLiteral("12-1050 1445-1000 0022-7647 0000");
    r.title = QStringLiteral("Faktura: FV/7/2026 za \"mleko\" i ser|ą\r\nę");
    r.amount = fb::Decimal{12345000, 4};
    r.realizationDate = QDate(2026, 12, 1);
    return r;
}

Record split(const QString& code = bankfile::kSplitPaymentCode) {
    Record r = ordinary();
    r.split = bankfile::SplitPayment{fb::Decimal{12345000, 4}, QStringLiteral("551-239-34-71"),
                                     QStringLiteral("FV/2026/12/000123/zakup/SZKOŁA/7"), code};
    return r;
}

const std::string kPrefix =
    "110,20261201,123450,10200133,0,\"30102001330000158813998698\",\"12105014451000002276470000\","
    "\"SZKO\xA3"
    "A PODSTAWOWA NR 3||UL. KO\x8C"
    "CIUSZKI  12/|34-300  \xAFYWIEC\","
    "\"MLECZARNIA \xA3\xA5KA||UL. W\xA5SKA 7|43-300  BIELSKO-BIA\xA3"
    "A\",0,10501445,";

TEST(SplitPaymentTitle, ElixirOrderCarriesTheMessageOverItsSubFieldsAndTheSplitCode) {
    // The invoice number runs over the first boundary, the free text over the
    // second; the free text loses what the format does not take (33 characters)
    // and is cleaned like any title.
    EXPECT_EQ(kPrefix +
                  "\"/VAT/1234,50/IDC/5512393471/INV/FV/|2026/12/000123/ZAKUP/SZKO\xA3"
                  "A/7/TXT/F|"
                  "AKTURA  FV/7/2026 ZA  MLEKO  I S|\",\"\",\"\",\"53\"\r\n",
              bankfile::record(1, split()));
    EXPECT_EQ(kPrefix + "\"FAKTURA  FV/7/2026 ZA  MLEKO  I SER| \xA5  \xCA||\",\"\",\"\",\"51\"\r\n",
              bankfile::record(1, ordinary()))
        << "an ordinary transfer keeps its title and code";

    const std::string ownCode = bankfile::record(1, split(QStringLiteral("5\"3")));
    EXPECT_EQ(",\"\",\"\",\"5 3\"\r\n", ownCode.substr(ownCode.size() - 14)) << "the bank's own code, made safe";
}

TEST(SplitPaymentTitle, AmountNipInvoiceAndTextAsTheMessageTakesThem) {
    EXPECT_EQ(QStringLiteral("0,00"), bankfile::vatAmountText(fb::Decimal{}));
    EXPECT_EQ(QStringLiteral("5,00"), bankfile::vatAmountText(fb::Decimal{5, 0}));
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

TEST(SplitPaymentTitle, FormatsWithoutATransactionCodeRefuseIt) {
    EXPECT_TRUE(bankfile::carriesSplitPayment(1));
    for (int procedure = 2; procedure <= 5; ++procedure) {
        EXPECT_FALSE(bankfile::carriesSplitPayment(procedure));
        EXPECT_THROW(bankfile::record(procedure, split()), std::invalid_argument) << procedure;
        EXPECT_NO_THROW(bankfile::record(procedure, ordinary())) << procedure;
    }
}

}  // namespace
