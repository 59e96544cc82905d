#include "model/passportsession.h"

#include "model/datamodule.h"
#include "model/passportblocks.h"
#include "model/progress.h"

namespace tarvena {

namespace {

const char kLoading[] = "Загрузка ...";
const char kSaving[] = "Сохранение ...";

// The open flag for the run of one open, cleared also when the open fails.
class LoadingFlag
{
public:
    explicit LoadingFlag(bool &flag) : mFlag(flag) { mFlag = true; }
    ~LoadingFlag() { mFlag = false; }
    LoadingFlag(const LoadingFlag &) = delete;
    LoadingFlag &operator=(const LoadingFlag &) = delete;

private:
    bool &mFlag;
};

std::string survivorQuestion(const std::string &path, const DamagedPassport &damaged)
{
    std::string reason = damaged.what();
    while (!reason.empty() && reason.back() == '.')
        reason.pop_back();
    return "Файл \"" + path + "\" повреждён: не прочитаны " + damaged.survived().lostTables() + " (" +
           reason + "). Открыть уцелевшую часть как новый паспорт?";
}

} // namespace

std::unique_ptr<Progress> SessionViews::progress(const std::string &)
{
    return nullptr;
}

bool SessionViews::openSurvivingPart(const std::string &)
{
    return false;
}

PassportSession::PassportSession(TDataModule2 &data, SessionViews *views) : mData(data), mViews(views) {}

bool PassportSession::modified() const
{
    return mData.PassportModified;
}

void PassportSession::setModified(bool modified)
{
    mData.PassportModified = modified;
}

bool PassportSession::loading() const
{
    return mData.PassportLoading;
}

const std::string &PassportSession::fileName() const
{
    return mData.PassportFileName;
}

PassportSession::Opened PassportSession::open(const std::string &givenPath)
{
    // The event queue runs during an open (dialogs, progress); an open arriving meanwhile is ignored.
    if (mData.PassportLoading)
        return Opened::Kept;
    const LoadingFlag loading(mData.PassportLoading);
    // Without views a path is always read: an empty one is an error of the caller's input.
    const bool choose = givenPath.empty() && mViews;
    const std::string path = choose ? mViews->choosePassport() : givenPath;
    const Opened opened = choose && path.empty() ? Opened::Nothing : read(path);
    if (opened != Opened::Kept)
        afterOpen(opened);
    return opened;
}

PassportSession::Opened PassportSession::read(const std::string &path)
{
    try {
        const std::unique_ptr<Progress> progress = mViews ? mViews->progress(kLoading) : nullptr;
        mData.OpenPassport(path, progress.get());
        return Opened::File;
    } catch (const DamagedPassport &damaged) {
        if (!mViews)
            throw;
        if (!mViews->openSurvivingPart(survivorQuestion(path, damaged)))
            return Opened::Kept;
        const std::unique_ptr<Progress> progress = mViews->progress(kLoading);
        mData.openSurvivingPart(damaged.survived(), progress.get());
        return Opened::SurvivingPart;
    }
}

void PassportSession::afterOpen(Opened opened)
{
    // Only a passport that is shown keeps its record in edit state: a post marks the stored record
    // changed, and the command line writes the record as it was read.
    if (mViews) {
        mViews->passportShown();
        try {
            // The close query's post then always marks the passport changed.
            mData.PASPORTS.Edit();
            mViews->recordRules();
        } catch (...) {
            // The record pages' rules only set controls and empty what they disable; a failure there
            // must not fail the open.
        }
    }
    // Nothing to undo in a passport just opened: the rules run on opening are no step of the user's.
    mData.Journal.clear();
    mData.PassportModified = opened == Opened::SurvivingPart;
}

void PassportSession::save(const std::string &path)
{
    mData.PostPendingEdits();
    // The resource pages filter the productive horizons again when they are entered.
    mData.POSIB_PRODUCT_HOR.SetFiltered(false);
    if (!path.empty()) {
        const std::unique_ptr<Progress> progress = mViews ? mViews->progress(kSaving) : nullptr;
        mData.SavePassport(path, progress.get());
    }
    // Also after a cancelled choice: the user chose not to keep the changes in a file, and undo
    // counts from here.
    if (path.empty())
        mData.Journal.markSaved();
    mData.PassportModified = false;
}

} // namespace tarvena
