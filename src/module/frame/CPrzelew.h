#pragma once
// The class the host constructs to use the module: it creates the data module
// DMP and opens the module's windows from the host's menu commands.

class QApplication;

class CPrzelew {
public:
    // DMP with no owner.
    CPrzelew();
    // DMP owned by the application object; the integer is not used.
    explicit CPrzelew(int unused);
    ~CPrzelew();
    CPrzelew(const CPrzelew&) = delete;
    CPrzelew& operator=(const CPrzelew&) = delete;

    void vPrzelewyInicjacja();

    // The register window as a child of the host's main window.
    void vPrzelewyMDI(QApplication* application);
    // The register window without owner, in the owner-re-enabling mode.
    void vPrzelewyModalne(QApplication* application);
    // The bank statements window, one at a time.
    void vWyciagiBankoweMDI(QApplication* application);
    // The module's parameters; refused while any window of the host is open.
    void vParametryPrzelewyMDI(QApplication* application);
    // The acceptance of contractors' accounts; refused while the parameters do not ask for it.
    void vPrzelewyDoAkceptacjiMDI(QApplication* application);
};
