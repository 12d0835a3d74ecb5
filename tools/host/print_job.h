// One ticket's job as the core driver prints it: the ticket and its document
// read once (JobPlan), then printed any number of times, each print on a
// device of its own (PrintJob), as a spooler serving the ticket's queue would.
#pragma once

#include <windows.h>

#include <string>

#include "dsc_stream.h"
#include "plugin_session.h"
#include "ticket.h"

namespace wren::host {

// What a ticket asks to print, read and resolved once.
struct JobPlan {
    std::wstring ticketPath;
    std::string label;  // the ticket's file name, to say which job a message is about
    Ticket ticket;
    std::wstring input, output, documentName;
    std::string document;
};

// Reads the ticket and its document. A non-empty `outputOverride` (relative
// to the current folder) replaces the ticket's output. Throws HostError.
JobPlan loadJobPlan(const std::wstring& ticketPath, const std::wstring& outputOverride);

// Forwards the document's stream into the session and its injection points
// into the plug-in, with what the core driver itself writes.
class SessionSink final : public StreamSink {
public:
    SessionSink(PluginSession& session, bool reportNotes) : session_(session), reportNotes_(reportNotes) {}
    void bytes(std::string_view data) override { session_.write(data.data(), data.size()); }
    void inject(std::uint32_t point) override { session_.command(point); }
    void note(std::string_view text) override;
    std::string documentProlog() override;
    std::string documentSetup() override { return session_.pageSizeSetup() + session_.featureSetup(); }
    std::string pageSetup() override { return session_.pageTransform(); }

private:
    PluginSession& session_;
    bool reportNotes_;
};

// One print of a JobPlan: the constructor readies the job's file and opens
// the device (the plug-in loaded, the DEVMODE settled, the PDEV enabled);
// then start(), the stream into sink(), finish(). Every step throws
// HostError; a print destroyed before finish() is aborted in the spooler.
class PrintJob {
public:
    // `reportNotes`: say on stderr what the merge and the splitter decided
    // (a soak says it for the first round only).
    PrintJob(const JobPlan& plan, const SessionOptions& options, bool reportNotes);
    PrintJob(const PrintJob&) = delete;
    PrintJob& operator=(const PrintJob&) = delete;

    // Starts the spooler job; the job-information stand-in answers the
    // ticket's application for it.
    void start();
    StreamSink& sink() { return sink_; }
    // Ends the document and the spooler job and checks the job's file.
    void finish();

    const JobPlan& plan() const { return plan_; }
    DWORD jobId() const { return job_; }
    // "job N: P page(s) of <input> -> <output>"
    std::string summary(int pages) const;

private:
    const JobPlan& plan_;
    PluginSession session_;
    SessionSink sink_;
    DWORD job_ = 0;
};

}  // namespace wren::host
