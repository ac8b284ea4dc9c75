#include "CRecordingProgress.h"

namespace {

class CRecordingDisplay : public CProgress {
public:
    explicit CRecordingDisplay(CRecordingProgress& owner) : m_owner(owner) {
        m_owner.log << QStringLiteral("create");
        ++m_owner.created;
        ++m_owner.alive;
        m_owner.current = this;
    }
    ~CRecordingDisplay() override {
        m_owner.log << QStringLiteral("destroy");
        --m_owner.alive;
        if (m_owner.current == this)
            m_owner.current = nullptr;
    }
    void SetCaption(const QString& caption) override {
        m_owner.log << QStringLiteral("caption ") + caption;
    }
    void SetMessage(const QString& message) override {
        m_owner.log << QStringLiteral("message ") + message;
    }
    void PumpMessages() override { ++m_owner.pumps; }
    void DisableCancel() override { m_owner.log << QStringLiteral("cancel off"); }
    bool Ending() const override { return m_owner.ending; }
    bool PollCancel() override {
        if (++m_owner.polls == m_owner.cancelAtPoll)
            RequestCancel();
        const bool cancelled = CProgress::PollCancel();
        m_owner.log << QStringLiteral("poll %1").arg(cancelled ? 1 : 0);
        return cancelled;
    }

protected:
    void ShowRange(int lower, int upper) override {
        m_owner.log << QStringLiteral("range %1 %2").arg(lower).arg(upper);
    }
    void ShowStep(int step) override { m_owner.log << QStringLiteral("step %1").arg(step); }
    void ShowPosition(int, const QString& percentText) override {
        m_owner.log << QStringLiteral("percent ") + percentText;
        m_owner.percents << percentText;
    }

private:
    CRecordingProgress& m_owner;
};

} // namespace

std::unique_ptr<CProgress> CRecordingProgress::CreateProgress() {
    return std::make_unique<CRecordingDisplay>(*this);
}
