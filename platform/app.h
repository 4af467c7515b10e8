// The application object: runs InitInstance and translates accelerator keys
// for every window of the application, so that a key of the table sends its
// command to the main window even while a message box or another dialog has
// the focus.
#pragma once

#include <QKeyCombination>
#include <QObject>
#include <vector>

class CDialog;
class QKeyEvent;

struct Accelerator {
    QKeyCombination key;
    int command = 0;
};

class CWinApp {
public:
    // A QApplication must exist; the application object filters its events.
    CWinApp();
    virtual ~CWinApp();
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    virtual bool InitInstance() { return false; }
    // Consumes `event` when it is an accelerator key; returns whether it did.
    virtual bool ProcessMessageFilter(QEvent* event);

    // Runs InitInstance; the application ends when it returns.
    int Run();

    void LoadAccelerators(std::vector<Accelerator> table) { accelerators_ = std::move(table); }
    bool TranslateAccelerator(CDialog* window, const QKeyEvent& key) const;

    CDialog* m_pMainWnd = nullptr;

private:
    class Filter : public QObject {
    public:
        explicit Filter(CWinApp& app) : app_(app) {}
        bool eventFilter(QObject* watched, QEvent* event) override;

    private:
        CWinApp& app_;
    };

    std::vector<Accelerator> accelerators_;
    Filter filter_{*this};
};
