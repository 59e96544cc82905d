#pragma once
// PassportSession: the life of the open passport as the editor and the command line both drive it:
// opening a file with the steps that follow an open, in their order; saving; the flags of unsaved
// changes and of an open under way. The flags stay on the data module, where the table rules set them.
#include <memory>
#include <string>

namespace tarvena {

class DamagedPassport;
class Progress;
class TDataModule2;

// What the side that shows the passport does at the steps of its life; the command line has none.
class SessionViews
{
public:
    virtual ~SessionViews() = default;
    // The file to open when none was given (the open dialog); empty: none was chosen.
    virtual std::string choosePassport() { return {}; }
    // A long operation ("Загрузка ...", "Сохранение ...") runs while the returned progress lives.
    virtual std::unique_ptr<Progress> progress(const std::string &text);
    // Whether what survived of a damaged file opens as a new passport; the question is in the text.
    virtual bool openSurvivingPart(const std::string &question);
    // The tables hold the passport the open left (read, surviving, or the one before after a
    // cancelled choice): the attachment slots follow it and the pages return to the first ones.
    virtual void passportShown() {}
    // The record is in edit state again: the record pages apply their dependent-control rules.
    virtual void recordRules() {}
};

class PassportSession
{
public:
    // What an open left open: nothing read (no file chosen), the file, what survived of a damaged
    // file as a new passport, the passport that was open (the user declined the surviving part, or
    // another open was under way).
    enum class Opened
    {
        Nothing,
        File,
        SurvivingPart,
        Kept
    };

    explicit PassportSession(TDataModule2 &data, SessionViews *views = nullptr);

    // Opens the passport at path (UTF-8; empty: the views choose one); with views the record then
    // stays in edit state and the record pages' rules run; the passport counts as unchanged (what survived of
    // a damaged file does not: it is in no file yet). An open while another one runs does nothing. A file
    // that cannot be read throws and leaves the open passport, its name and its flags as they were; without
    // views a damaged file throws DamagedPassport.
    Opened open(const std::string &path = {});
    // Writes the passport to path (UTF-8) after posting the pending edits; an empty path (a
    // cancelled choice) writes nothing. Either way the passport then counts as saved; a failed write
    // throws and keeps the flag.
    void save(const std::string &path);

    bool modified() const;
    void setModified(bool modified);
    bool loading() const;
    // The passport's file; empty for a passport that was never opened or saved.
    const std::string &fileName() const;
    TDataModule2 &data() const { return mData; }

private:
    Opened read(const std::string &path);
    void afterOpen(Opened opened);

    TDataModule2 &mData;
    SessionViews *mViews;
};

} // namespace tarvena
