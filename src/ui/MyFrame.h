#pragma once

#include <QFrame>
#include <QString>

class CheckAsker;
class mTDeclaration;
struct RefDirectories;

// The input pages of the main window, in the order of their buttons.
enum class TPageId {
    InitialData,   // "Задание условий"
    PersonInfo,    // "Сведения о декларанте"
    RussianIncome, // "Доходы, полученные в РФ"
    ForeignIncome, // "Доходы за пределами РФ"
    Business,      // "Предприниматели"
    Deduction,     // "Вычеты"
};
inline constexpr int kPageCount = 6;

// What the main window offers its pages.
class TPageHost {
public:
    virtual ~TPageHost() = default;

    // The declaration open now; pages keep no pointer to it, so they always work
    // on the one currently open.
    virtual mTDeclaration& declaration() = 0;
    // The user changed something: the document becomes modified, unless a page
    // is being built.
    virtual void contentChanged() = 0;
    virtual bool pageBuilding() const = 0;
    virtual void setPageBuilding(bool building) = 0;
    virtual void setPageButtonEnabled(TPageId page, bool enabled) = 0;
    virtual bool pageButtonEnabled(TPageId page) const = 0;
    virtual const RefDirectories& directories() const = 0;
    virtual bool inspectionPickerReady() const = 0;
    virtual bool countryPickerReady() const = 0;
    // With a trailing separator.
    virtual QString programFolder() const = 0;
    // The page-check and whole-document dialogs.
    virtual CheckAsker& checkAsker() = 0;
    // A topic of the program's help, e.g. "EditSOUN.htm".
    virtual void showHelpTopic(const QString& topic) = 0;
    // The SOUN import window (from the inspection picker).
    virtual void showLoadSoun() = 0;
};

// Sets pageBuilding for the life of a scope, restoring what was there before.
class TPageBuilding {
public:
    explicit TPageBuilding(TPageHost& host) : host_(host), was_(host.pageBuilding()) {
        host_.setPageBuilding(true);
    }
    ~TPageBuilding() { host_.setPageBuilding(was_); }
    TPageBuilding(const TPageBuilding&) = delete;
    TPageBuilding& operator=(const TPageBuilding&) = delete;

private:
    TPageHost& host_;
    bool was_;
};

// The page contract: every input page fills itself from the model when created
// (with pageBuilding set), stores its fields back, checks itself and focuses the
// field of a position.
class TThinkingFrame : public QFrame {
    Q_OBJECT
public:
    TThinkingFrame(TPageHost& host, QWidget* parent);

    // Copies the page's fields into the model.
    virtual void StoreToModel() = 0;
    // 0 when the page may be left, else the position of the field to fix.
    virtual int CheckPage() = 0;
    // Shows and focuses the field of a position; unknown positions do nothing.
    virtual void FocusField(int position) = 0;
    // A finding of the whole-document check (its page code) landed on this page:
    // pages with sub-pages show the right one first.
    virtual void ShowFinding(int pageCode, int position);
    // Called once the page is on screen after a page button (list pages select
    // their first item).
    virtual void PageShown() {}

protected:
    TPageHost& host() const { return host_; }
    mTDeclaration& declaration() const;
    void contentChanged() { host_.contentChanged(); }

private:
    TPageHost& host_;
};
