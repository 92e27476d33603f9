#pragma once

#include <QHash>
#include <QImage>
#include <QString>
#include <optional>

namespace zor {

class CommandUnit;
struct ReportStore;
struct Entity;
class fConnection;

// Executes the host's command units one at a time on the session window:
// entity commands build the screen's entity table, screen commands manage the
// drawn screen and the sub-window; a unit whose code is no command is plain
// text.
class Interpreter {
public:
    explicit Interpreter(fConnection& window);

    // One unit, without its ESC. The window's stack keeps the history of the
    // current screen: whole units as executed (TABs already "|"), in arrival
    // order, begun anew by "cs".
    // Streamed, the unit was cut from the host's text: the units of one
    // stream run one right after the other with nothing else between them,
    // so a redraw that follows a redraw there finds the screen as that drew
    // it and draws nothing again, and a save of the screen cache right after
    // the same save finds the file as that saved it: a flood of either costs
    // one.
    void Process(const QString& unit, bool streamed = false);
    // What runs after the stream may change the screen without a unit.
    void StreamEnds();

    // The most characters the history of one screen keeps; a unit beyond
    // them still runs, it is only not kept.
    static constexpr qsizetype MaxHistoryChars = 16 * 1024 * 1024;
    // The most canned answers waiting, and the most characters they hold
    // together; an answer beyond either is not queued.
    static constexpr int MaxQueuedAnswers = 1002;
    static constexpr qsizetype MaxQueuedChars = 16 * 1024 * 1024;
    // The most bytes the decoded pictures of one screen take together; a
    // picture beyond them is refused.
    static constexpr qsizetype MaxScreenPictureBytes = 256 * 1024 * 1024;

    // Entity commands.
    void CreateEntity(const CommandUnit& unit);  // "to"
    void ReplaceEntity(const CommandUnit& unit); // "rp"
    void AddOption(const CommandUnit& unit);     // "ob"
    void AddPageHeader(const CommandUnit& unit); // "mh"
    void AddBox(const CommandUnit& unit);        // "bx"
    void AddImage(const CommandUnit& unit);      // "im", "image"

    // Screen and window commands.
    void ClearScreen(const CommandUnit& unit);    // "cs"
    void Redraw(const CommandUnit& unit);         // "dr"
    void SelectLevel(const CommandUnit& unit);    // "lv"
    void OpenSubWindow(const CommandUnit& unit);  // "sw"
    void SaveScreen(const CommandUnit& unit);     // "sv"
    void RestoreScreen(const CommandUnit& unit);  // "pd"
    void SwitchTestMode(const CommandUnit& unit); // "test"

    // Input requests.
    void RequestInput(const CommandUnit& unit);         // "in"
    void QueueAnswer(const CommandUnit& unit);          // "dl"
    void AskInput(const CommandUnit& unit);             // "ib"
    void OpenMultiValueEditor(const CommandUnit& unit); // "mv"
    void OpenTenKeyPad(const CommandUnit& unit);        // "tk"

    // Reports, printers and serial pass-through.
    void ReportHead(const CommandUnit& unit);    // "rh"
    void ReportEnd(const CommandUnit& unit);     // "re"
    void PrinterInfo(const CommandUnit& unit);   // "pi"
    void SwitchComMode(const CommandUnit& unit); // "com"

    // The menu tree.
    void FillMenuTree(const CommandUnit& unit); // "go"

    // Panels that answer.
    void ShowMessageBox(const CommandUnit& unit);  // "mb"
    void StartList(const CommandUnit& unit);       // "ls"
    void AddListLine(const CommandUnit& unit);     // "ld"
    void EndList(const CommandUnit& unit);         // "le"
    void StartItemList(const CommandUnit& unit);   // "is"
    void AddItemListLine(const CommandUnit& unit); // "id"
    void ShowItemList(const CommandUnit& unit);    // "ie"
    void ShowParameters(const CommandUnit& unit);  // "pl"
    void ShowProgress(const CommandUnit& unit);    // "pb"
    void OpenProcedure(const CommandUnit& unit);   // "ph", "on"
    void CloseProcedure(const CommandUnit& unit);  // "pe", "off"

    // Status, toolbar, cache and version commands.
    void StatusMessage(const CommandUnit& unit);   // "sm"
    void StatusBarText(const CommandUnit& unit);   // "sb"
    void AddToolbarItem(const CommandUnit& unit);  // "tb"
    void InlineHelp(const CommandUnit& unit);      // "help"
    void SaveScreenCache(const CommandUnit& unit); // "vs"
    void LoadScreenCache(const CommandUnit& unit); // "vl"
    void ReplyVersion(const CommandUnit& unit);    // "vn"
    // Accepted and without effect, not even on the history.
    void NoEffect(const CommandUnit& unit); // "sig", "pdf"

private:
    void TraceUnit(const QString& unit);
    void PlainText(QString text);
    // A line of plain text while the procedure panel is open.
    void ProcedureText(const QString& text);
    void ReportLine(const QString& text);
    void ReportPageBreak();
    // Hands the captured rows to their printer as one raw job. Once it is
    // printed they are dropped; when it fails they stay and the viewer shows
    // them, or, when a newer report holds the viewer by then, a report file.
    void PrintReportRaw(const ReportStore& report);
    void AddToHistory(const CommandUnit& unit);
    // Draws one entity at once on the picture of its level.
    void DrawAlone(const Entity& entity);
    // The unit is refused as a whole: nothing of it has run.
    void Refuse(const CommandUnit& unit, const QString& reason);
    // The item list the unit's field 2 names; none (the unit refused) for a
    // number that names no list.
    std::optional<size_t> ItemListNamed(const CommandUnit& unit);

    fConnection& window_;
    // What the last unit did that the next unit of the same stream need not
    // do again: drew the whole screen, or saved the screen cache as the
    // unit's text asked. The unit that runs sees it in doneBefore_.
    enum class Drawn { Nothing, Entities, BackdropAndEntities };
    struct Done {
        Drawn drawn = Drawn::Nothing;
        QString savedBy;
    };
    void Drew(Drawn drawn);
    void Saved(const QString& unit);
    bool streamed_ = false;
    Done done_;
    Done doneBefore_;
    // The characters of the history's entries, counted for this many of
    // them: the history is emptied elsewhere too, and then counted again.
    qsizetype historyChars_ = 0;
    qsizetype historyEntries_ = 0;
    // The pictures of the current screen by what "im" asked for, so that a
    // picture named again shares the pixels of the first, and the bytes
    // they take.
    struct ScreenPicture {
        QImage picture;
        QSize natural;
    };
    QHash<QString, ScreenPicture> screenPictures_;
    qsizetype screenPictureBytes_ = 0;
    // The single character last traced in report mode, and how many times in
    // a row it came again.
    QString traceLastChar_;
    qint32 traceRepeatCount_ = 0;
};

} // namespace zor
