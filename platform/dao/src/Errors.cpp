// The engine's Errors collection: the entries of the last failure.

#include "DaoCore.h"
#include "platform/com/automationobject.h"

namespace dao {
namespace {

// Reading errors never records a failure of its own: that would replace the
// entries being read.
template <class Primary, class Work>
HRESULT readMethod(Work&& work) {
    if (auto failure = CatchFailure(kEngineSource, std::forward<Work>(work))) {
        return ReportComError(failure->hr, __uuidof(Primary), failure->source,
                              failure->description);
    }
    return S_OK;
}

class ErrorObject final : public AutomationObject<DAOError> {
public:
    explicit ErrorObject(ComFailure entry) : m_entry(std::move(entry)) {}

    HRESULT get_Number(LONG* pl) override {
        return readMethod<DAOError>([&] {
            RequireOut(pl, kEngineSource);
            *pl = m_entry.number;
        });
    }
    HRESULT get_Source(BSTR* pbstr) override { return text(m_entry.source, pbstr); }
    HRESULT get_Description(BSTR* pbstr) override { return text(m_entry.description, pbstr); }
    HRESULT get_HelpFile(BSTR* pbstr) override { return text({}, pbstr); }
    HRESULT get_HelpContext(LONG* pl) override {
        return readMethod<DAOError>([&] {
            RequireOut(pl, kEngineSource);
            *pl = 0;
        });
    }

private:
    static HRESULT text(const std::string& value, BSTR* pbstr) {
        return readMethod<DAOError>([&] {
            RequireOut(pbstr, kEngineSource);
            *pbstr = AllocOrThrow(value);
        });
    }

    ComFailure m_entry;
};

class ErrorsObject final : public AutomationObject<DAOErrors> {
public:
    explicit ErrorsObject(std::shared_ptr<EngineState> engine) : m_engine(std::move(engine)) {}

    HRESULT get_Count(short* c) override {
        return readMethod<DAOErrors>([&] {
            RequireOut(c, kEngineSource);
            *c = CountOf(m_engine->errors.size(), kEngineSource);
        });
    }
    HRESULT get_Item(VARIANT Item, DAOError** pperr) override {
        return readMethod<DAOErrors>([&] {
            RequireOut(pperr, kEngineSource);
            *pperr = nullptr;
            const std::vector<std::string> noNames(m_engine->errors.size());
            *pperr = new ErrorObject(m_engine->errors[PositionOf(Item, noNames, kEngineSource)]);
        });
    }

private:
    std::shared_ptr<EngineState> m_engine;
};

}  // namespace

DAOErrors* NewErrors(std::shared_ptr<EngineState> engine) {
    return new ErrorsObject(std::move(engine));
}

}  // namespace dao
