// One device of a spooler process, as the core driver drives it: its own
// printer, records, feature selections, job state and PostScript stream,
// and the process's shared libraries, templates and data files. The device
// composes its job stage by stage (start of document, prolog and setup,
// each page, trailer) through the injection points, and hands the finished
// stream to the block path in blocks of random sizes from its own seed.
#pragma once

#include <cstdint>
#include <map>
#include <random>
#include <string>

#include "common/settings/private_record.h"
#include "common/settings/public_devmode.h"
#include "fakes.h"
#include "platform/file_source.h"
#include "ps/job/command_dispatch.h"
#include "ps/job/render_context.h"
#include "ps/watermark/template_source.h"
#include "shared_libraries.h"

namespace wren::test {

enum class JobKind { Plain, Encrypted, Watermark, Overlay };

const char* kindName(JobKind kind);

// The PostScript templates the plug-in carries, read once from the sources.
class ResourceTemplates : public TemplateSource {
public:
    ResourceTemplates();
    std::optional<std::string_view> bytes(PostScriptTemplate id) const override;

private:
    std::map<PostScriptTemplate, std::string> stored_;
};

// The driver's data files, fixed before the threads start; every open file
// keeps its own position.
class SharedDataFiles : public FileSource {
public:
    explicit SharedDataFiles(std::map<std::u16string, std::string> files) : files_(std::move(files)) {}
    std::unique_ptr<ReadableFile> openShared(std::u16string_view path) const override;

private:
    const std::map<std::u16string, std::string> files_;
};

// The application-information channel: one per process, answering for
// any printer's job.
class SharedApplicationNames : public ApplicationNameSource {
public:
    std::string applicationName(PrinterHandle, std::uint32_t jobId) override {
        return "Application of job " + std::to_string(jobId);
    }
};

// What every device of the process shares.
struct SharedProcess {
    SharedLibraryLoader loader{familyLibraries()};
    SharedApplicationNames applicationNames;
    ResourceTemplates templates;
    SharedDataFiles files{{{u"C:\\drivers\\x64\\3\\zeproc.ps", std::string(3000, 'P') + "\n"},
                           {u"C:\\drivers\\x64\\3\\zeovl.ps", "%overlay procedures\n"}}};
};

// The core driver's side of a device: the stream it collects and the
// spooler the finished blocks reach.
class CoreDriverBuffer : public SpoolStream {
public:
    std::string pending;   // composed, not yet handed to the block path
    std::string composed;  // the whole finished stream of the job
    std::uint32_t write(const void* data, std::uint32_t size) override {
        pending.append(static_cast<const char*>(data), size);
        composed.append(static_cast<const char*>(data), size);
        return size;
    }
};

class RenderDevice {
public:
    RenderDevice(JobKind kind, int number, SharedProcess& process);
    RenderDevice(const RenderDevice&) = delete;
    RenderDevice& operator=(const RenderDevice&) = delete;

    // One whole job, from the start of the document to its end; what
    // reached the spooler.
    std::string printJob();

    // The job one step at a time: the next stage's injection points when
    // nothing is pending, else one block; the end of the document after
    // the last stage. False once the job is done.
    bool step();
    std::string takeOutput();

    JobKind kind() const { return kind_; }
    // Text only this device's document carries.
    const std::string& marker() const { return marker_; }
    const std::string& printerName() const { return printerName_; }
    const std::string& key() const { return key_; }
    std::uint32_t jobId() const { return jobId_; }
    const std::string& composed() const { return buffer_.composed; }
    bool cancelled() const { return !spooler_.cancelled.empty(); }

private:
    void configure();
    void composeStage(int stage);
    void sendBlock();
    void write(const std::string& text) { buffer_.write(text.data(), static_cast<std::uint32_t>(text.size())); }

    static constexpr int kPages = 3;
    static constexpr int kStages = kPages + 3;  // start, prolog and setup, the pages, the trailer

    const JobKind kind_;
    const int number_;
    const std::string marker_, printerName_, key_;
    SharedProcess& process_;
    PrinterHandle printer_;
    std::uint32_t jobId_;
    FakeSpooler spooler_;
    FakeProfile profile_;
    FakeCodePage codePage_;
    RenderPorts ports_;
    PrivateRecord record_{};
    PublicDevmode devmode_{};
    FakeDriverSettings settings_;
    CoreDriverBuffer buffer_;
    JobState job_;
    RenderContext ctx_;
    std::mt19937 blockSizes_;
    int nextStage_ = 0;
    bool failed_ = false;
};

}  // namespace wren::test
