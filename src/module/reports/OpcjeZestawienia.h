#pragma once

#include <QDate>

// What the summaries window asks of a printed list of pending transfers.
struct OpcjeZestawienia {
    int iCzyZaznaczone = -1;      // -1 every transfer; 1 only those marked in the active set
    int iCzyTermin = 0;           // 1: only transfers due on or before dtTermin
    QDate dtTermin;
    int iWybranyKontrahent = -1;  // -1 every contractor; -100 a picked one that was not found
    int iUklad = 0;               // 0 by contractor code with subtotals; 1 the register's order
    int iDrukDok = 0;             // 1: the ledger document number of each invoice
    bool bKontrolny = false;      // P1: the contractor's account from the contractor register
};
