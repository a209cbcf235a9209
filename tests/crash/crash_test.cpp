// The crash test: the real varno process killed with SIGKILL at random moments while it saves, overwrites
// and deletes points through the point editor, and while it reindexes a large file. After every kill the
// next start, with no Reindex asked for and no message box but the indexing dialog, must find every
// acknowledged point with its exact values and keep every acknowledged delete; and once it has quit, the
// coordinate file read from its bytes must agree, and both index files must hold exactly one entry per
// live record, in order.
//
// Without settings the short form runs (`make test`): a handful of kills in a few seconds.
// VARNO_CRASH_FULL=1 selects the full form (`make test-crash`): 46 kills among the edits and 14 during a
// Reindex of 50 000 points.
// VARNO_CRASH_SEED=N repeats a run: every random choice, the moments of the kills included, comes from it,
// though where a kill lands still depends on the machine's speed.

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <numeric>
#include <set>

#include "tests/support/child_process.h"
#include "tests/support/host_files.h"
#include "tests/crash/disk_image.h"
#include "tests/crash/point_model.h"
#include "tests/crash/varno_run.h"

namespace crash {
namespace {

using std::chrono::duration_cast;
using std::chrono::microseconds;
using std::chrono::milliseconds;

const std::string kVarno = VARNO_BINARY;

struct Form {
    int edit_kills;     // kills among saves, overwrites and deletes
    int reindex_kills;  // kills during a Reindex of the large file
    int pool;           // point numbers the edits choose from
    int large_points;   // records of the large file
};

bool full_form()
{
    const char* full = std::getenv("VARNO_CRASH_FULL");
    return full && *full && std::string(full) != "0";
}

Form form()
{
    if (full_form())
        return {46, 14, 300, 50000};
    return {8, 3, 120, 10000};
}

uint64_t base_seed()
{
    static const uint64_t seed = [] {
        const char* given = std::getenv("VARNO_CRASH_SEED");
        if (given && *given)
            return uint64_t(std::strtoull(given, nullptr, 10));
        return (uint64_t(std::random_device()()) << 32) | std::random_device()();
    }();
    return seed;
}

// Device paths of the files under test, and where they lie on the host.
constexpr const char* kJobDevicePath = "\\My Documents\\Job.dat";
constexpr const char* kLargeDevicePath = "\\My Documents\\Large.dat";

class CrashTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_FALSE(m_dir.path().empty());
        m_root = m_dir.path() + "/device";
        std::filesystem::create_directories(m_root + "/My Documents");
        // Each test draws from its own stream of the one seed.
        const std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
        std::seed_seq streams {uint32_t(base_seed()), uint32_t(base_seed() >> 32), uint32_t(name.size()),
            uint32_t(name.front()), uint32_t(name.back())};
        m_rng.seed(streams);
        std::cout << "[  crash   ] seed " << base_seed() << " (VARNO_CRASH_SEED=" << base_seed() << " repeats it), "
                  << (full_form() ? "full" : "short") << " form" << std::endl;
    }

    void TearDown() override
    {
        std::cout << "[  crash   ] " << m_kills << " kills, " << m_kills_in_flight << " with an operation in flight"
                  << std::endl;
        EXPECT_EQ(m_findings.count(), 0u) << "after the kills (seed " << base_seed() << "):\n" << m_findings.summary();
    }

    std::string host_base(const char* device_path) const
    {
        std::string path = m_root + "/My Documents/" + std::string(device_path).substr(std::strlen("\\My Documents\\"));
        return path.substr(0, path.rfind('.'));
    }

    int64_t uniform(int64_t low, int64_t high) { return std::uniform_int_distribution<int64_t>(low, high)(m_rng); }
    bool chance(double p) { return std::bernoulli_distribution(p)(m_rng); }

    // Opens a file through Coords > Open or Reindex and the file browser; true when every step held.
    static bool choose_file(VarnoRun& run, const char* menu, const char* device_path)
    {
        std::vector<std::string> answers = run.exchange(
            {"menu " + script_quote(menu), "expect window PATHNAMES", "type 1002 " + script_quote(device_path)});
        return answers == std::vector<std::string>(3, "ok");
    }

    static bool open_editor(VarnoRun& run)
    {
        return run.exchange({"menu \"Coords/Edit\"", "expect window PT_EDIT"}) == std::vector<std::string> {"ok", "ok"};
    }

    // Quits a run; the exit code is 1 when a line failed, which the findings already say.
    void quit(VarnoRun& run)
    {
        int code = run.quit();
        if (code != 0 && code != 1)
            m_findings.add("run", "quit ended with " + std::to_string(code) + ": " + run.errors());
    }

    // The coordinate file read back and held to the model; the model then takes what was found, so the
    // next round starts from what is on disk. False when the file or its indexes were at fault.
    bool check_files(const std::string& base)
    {
        size_t before = m_findings.count();
        CoordImage image = read_coord_image(read_host_file(base + ".dat"));
        std::map<uint32_t, PointState> found;
        judge_coord_file(image, m_model, &m_findings, &found);
        judge_indexes(base, image, &m_findings);
        for (const auto& [number, state] : found) {
            std::vector<PointState> allowed = m_model.allowed(number);
            bool allowed_state = std::find(allowed.begin(), allowed.end(), state) != allowed.end();
            m_model.settle(number, allowed_state ? state : allowed.front());
        }
        return m_findings.count() == before;
    }

    // After a fault was found: both index files go, so that the next start builds them afresh and the
    // rounds after it test the store again rather than the damage already reported.
    static void drop_indexes(const std::string& base)
    {
        std::filesystem::remove(base + ".PPC_.PtNDX");
        std::filesystem::remove(base + ".PPC_.NamNDX");
    }

    // A start that builds the dropped indexes and a quit that closes them.
    void rebuild_cleanly()
    {
        VarnoRun run(kVarno, m_root);
        settle_start(run, &m_findings);
        quit(run);
    }

    void note_kill(bool in_flight)
    {
        ++m_kills;
        m_kills_in_flight += in_flight ? 1 : 0;
    }

    // One line per round: what the kill interrupted and what the checks after it found.
    void log_round()
    {
        std::string found;
        for (const auto& [kind, count] : m_findings.counts()) {
            size_t before = m_logged_counts[kind];
            if (count > before)
                found += " " + kind + " +" + std::to_string(count - before);
        }
        m_logged_counts = m_findings.counts();
        std::cout << "[  crash   ] " << m_log << "; " << (found.empty() ? std::string("all held") : "found" + found)
                  << std::endl;
    }

    testing_support::TempDir m_dir;
    std::string m_root;
    std::mt19937_64 m_rng;
    PointModel m_model;
    Findings m_findings;
    int m_kills = 0;
    int m_kills_in_flight = 0;
    int m_kills_mid_save = 0;
    std::string m_log;                              // what the last kill interrupted
    std::map<std::string, size_t> m_logged_counts;  // findings by kind up to the last round logged
};

// ---- Saves, overwrites and deletes ------------------------------------------------------------------

class EditKills : public CrashTest {
protected:
    enum class Kind { Save, Overwrite, Delete };

    struct EditOp {
        Kind kind = Kind::Save;
        uint32_t number = 0;
        PointState after;
        std::vector<std::string> lines;
        size_t commit_line = 0;  // the line that changes the file: Save, or OK of a prompt
        size_t ack_line = 0;     // the line whose "ok" means the program said it was done
    };

    static const char* kind_name(Kind kind)
    {
        return kind == Kind::Save ? "save" : kind == Kind::Overwrite ? "overwrite" : "delete";
    }

    void SetUp() override
    {
        CrashTest::SetUp();
        // Mostly small numbers, so that points are overwritten and deleted again and again; some wide ones.
        std::set<uint32_t> pool;
        while (int(pool.size()) < form().pool)
            pool.insert(chance(0.85) ? uint32_t(uniform(1, 3 * form().pool)) : uint32_t(uniform(1, 999999999)));
        m_pool.assign(pool.begin(), pool.end());
        m_base = host_base(kJobDevicePath);
    }

    PointValues random_point(uint32_t number)
    {
        PointValues p;
        p.number = number;
        p.name = random_text(m_rng, 14);
        p.north = random_eighths(m_rng, 999999);
        p.east = random_eighths(m_rng, 999999);
        p.elevation = random_eighths(m_rng, 9999);
        p.note = random_text(m_rng, 16);
        p.code = random_text(m_rng, 12);
        return p;
    }

    EditOp next_op()
    {
        EditOp op;
        op.number = m_pool[size_t(uniform(0, int64_t(m_pool.size()) - 1))];
        bool exists = m_model.acknowledged(op.number).has_value();
        op.kind = !exists ? Kind::Save : chance(0.65) ? Kind::Overwrite : Kind::Delete;
        const std::string number = script_quote(std::to_string(op.number));
        if (op.kind == Kind::Delete) {
            op.lines = {"type 1011 " + number, "menu \"Delete\"", "expect window DELETE_PT", "click \"OK\"",
                "expect box \"Delete pt\" \"Pt deleted.\"", "answer ok"};
            op.commit_line = 3;
            op.ack_line = 4;
            return op;
        }
        PointValues p = random_point(op.number);
        op.after = p;
        op.lines = {"type 1011 " + number, "type 1012 " + script_quote(p.name),
            "type 1013 " + script_quote(coordinate_text(p.north)), "type 1014 " + script_quote(coordinate_text(p.east)),
            "type 1015 " + script_quote(coordinate_text(p.elevation)), "type 1016 " + script_quote(p.note),
            "type 1017 " + script_quote(p.code), "menu \"Save\""};
        op.commit_line = op.lines.size() - 1;
        if (op.kind == Kind::Overwrite) {
            op.lines.insert(op.lines.end(),
                {"expect window OVERWRITE_PT", "click \"OK\"", "expect box \"Save pt\" \"Pt overwritten.\""});
            op.commit_line += 2;
        } else {
            op.lines.push_back("expect box \"Save pt\" \"Pt saved.\"");
        }
        op.ack_line = op.lines.size() - 1;
        op.lines.push_back("answer ok");
        return op;
    }

    // Runs one operation to its end; false when the program died or answered otherwise than it should
    // (a finding, and the run is killed at once: what follows would only repeat it). With aim set, the
    // kill is armed to fall within the time the committing line takes.
    bool run_op(VarnoRun& run, const EditOp& op, bool aim = false)
    {
        m_model.begin(op.number, op.after);
        std::vector<std::string> head(op.lines.begin(), op.lines.begin() + long(op.commit_line));
        std::vector<std::string> tail(op.lines.begin() + long(op.commit_line), op.lines.end());
        if (!run.send(head) || !answers_hold(run, op, 0, head.size()))
            return false;
        Clock::time_point sent = Clock::now();
        if (aim)
            run.kill_at(sent + microseconds(uniform(0, m_commit_time.count() * 3 / 2)));
        m_commit_pending = true;
        if (!run.send(tail))
            return false;
        std::optional<std::string> committed = run.answer();
        if (!committed)
            return false;
        m_commit_pending = false;
        m_commit_total += duration_cast<microseconds>(Clock::now() - sent);
        ++m_commits;
        if (*committed != "ok") {
            fail_op(run, op, op.commit_line, *committed);
            return false;
        }
        return answers_hold(run, op, op.commit_line + 1, op.lines.size());
    }

    // Reads the answers of lines first .. last - 1; each must be "ok".
    bool answers_hold(VarnoRun& run, const EditOp& op, size_t first, size_t last)
    {
        for (size_t i = first; i < last; ++i) {
            std::optional<std::string> answer = run.answer();
            if (!answer)
                return false;
            if (*answer != "ok") {
                fail_op(run, op, i, *answer);
                return false;
            }
            if (i == op.ack_line)
                m_model.acknowledge();
        }
        return true;
    }

    void fail_op(VarnoRun& run, const EditOp& op, size_t line, const std::string& answer)
    {
        m_findings.add("editor",
            std::string(kind_name(op.kind)) + " of pt " + std::to_string(op.number) + ": " + op.lines[line] + ": "
                + answer);
        run.kill_at(Clock::now());
    }

    // The first run: a new job of acknowledged points, ended by quit so that the preferences name it.
    void make_job(int points)
    {
        VarnoRun run(kVarno, m_root);
        ASSERT_TRUE(run.started());
        settle_start(run, &m_findings);
        ASSERT_TRUE(choose_file(run, "Coords/Open", kJobDevicePath));
        ASSERT_EQ(run.exchange({"menu \"OK\"", "expect window main"}), std::vector<std::string>(2, "ok"));
        ASSERT_TRUE(open_editor(run));
        Clock::time_point start = Clock::now();
        for (int done = 0; done < points;) {
            EditOp op = next_op();
            ASSERT_TRUE(run_op(run, op)) << m_findings.summary();
            done += op.kind == Kind::Save ? 1 : 0;
        }
        m_op_time = duration_cast<microseconds>(Clock::now() - start) / points;
        m_commit_time = m_commit_total / std::max(m_commits, 1);
        run.ask("menu \"Cancel\"");
        quit(run);
        ASSERT_TRUE(check_files(m_base)) << m_findings.summary();
    }

    // One burst of operations in a new run, ended by a kill: at a random moment, or aimed at one
    // operation so that the kill falls inside it. What the burst was doing when it died is logged.
    void burst(int round)
    {
        VarnoRun run(kVarno, m_root);
        settle_start(run, &m_findings);
        if (!open_editor(run)) {
            m_findings.add("editor", "the point editor did not open");
            return;
        }
        const bool aimed = round % 2 == 1;
        const int aimed_op = int(uniform(0, 40));
        if (!aimed)
            run.kill_at(Clock::now() + microseconds(uniform(0, m_op_time.count() * 120)));
        int acknowledged = 0;
        std::string in_flight = "killed between operations";
        m_commit_pending = false;
        for (int i = 0; i < kMostOps; ++i) {
            EditOp op = next_op();
            if (!run_op(run, op, aimed && i == aimed_op)) {
                if (m_model.in_flight())
                    in_flight = std::string("killed during the ") + kind_name(op.kind) + " of pt "
                        + std::to_string(op.number) + (m_commit_pending ? ", mid-save" : "");
                break;
            }
            ++acknowledged;
        }
        if (!run.finish_killed())
            m_findings.add("run", "the run ended before it was killed: " + run.errors());
        note_kill(m_model.in_flight());
        m_kills_mid_save += m_commit_pending ? 1 : 0;
        m_log = "kill " + std::to_string(round + 1) + (aimed ? " (aimed)" : "") + ": " + std::to_string(acknowledged)
            + " operations acknowledged, " + in_flight;
    }

    // The start after a kill: every number through the editor's Get, then the files once it has quit.
    void check_after_kill()
    {
        {
            VarnoRun run(kVarno, m_root);
            settle_start(run, &m_findings);
            if (open_editor(run)) {
                check_in_editor(run, m_model, m_model.numbers(), &m_findings);
                run.ask("menu \"Cancel\"");
            } else {
                m_findings.add("editor", "the point editor did not open after the kill");
            }
            quit(run);
        }
        if (!check_files(m_base))
            rewrite_job();
    }

    // After a fault: the job is written afresh from the model, its indexes dropped and built again by a
    // start that ends with quit, so the next round begins from a sound job.
    void rewrite_job()
    {
        std::vector<RecordToWrite> records;
        for (uint32_t number : m_model.numbers()) {
            if (PointState p = m_model.acknowledged(number))
                records.push_back({*p, false});
        }
        write_host_file(m_base + ".dat", coord_file_bytes(records));
        drop_indexes(m_base);
        rebuild_cleanly();
    }

    static constexpr int kMostOps = 2000;
    std::vector<uint32_t> m_pool;
    std::string m_base;
    microseconds m_op_time {0};      // one whole operation, measured on the first run
    microseconds m_commit_time {0};  // from the committing line to its answer, ditto
    microseconds m_commit_total {0};
    int m_commits = 0;
    bool m_commit_pending = false;  // the committing line was sent and not yet answered
};

TEST_F(EditKills, AcknowledgedSavesOverwritesAndDeletesSurviveKills)
{
    make_job(40);
    if (HasFatalFailure())
        return;
    std::cout << "[  crash   ] one operation takes about " << m_op_time.count() << " us, its committing line "
              << m_commit_time.count() << " us" << std::endl;
    for (int round = 0; round < form().edit_kills; ++round) {
        burst(round);
        check_after_kill();
        log_round();
    }
    std::cout << "[  crash   ] " << m_kills_mid_save << " kills between a committing line and its answer" << std::endl;
}

// ---- Reindex of a large file ------------------------------------------------------------------------

class ReindexKills : public CrashTest {
protected:
    void SetUp() override
    {
        CrashTest::SetUp();
        m_base = host_base(kLargeDevicePath);
    }

    // The large file as bytes: unique numbers in shuffled order, a few deleted records (some holding the
    // number of a live point, as a point deleted and saved again leaves), names from a small stock so that
    // many repeat, some with spaces at their ends, which an index build keys as they stand.
    void make_large_file(int count)
    {
        std::vector<uint32_t> numbers(size_t(count), 0u);
        std::iota(numbers.begin(), numbers.end(), 1u);
        for (uint32_t& n : numbers)
            n = n * 7 + uint32_t(uniform(0, 6));
        std::shuffle(numbers.begin(), numbers.end(), m_rng);
        std::vector<std::string> names;
        for (int i = 0; i < std::max(count / 20, 1); ++i)
            names.push_back(random_text(m_rng, 14));
        names.push_back(" CP" + std::to_string(uniform(1, 99)));
        names.push_back("TREE ");
        std::vector<RecordToWrite> records;
        for (uint32_t number : numbers) {
            PointValues p;
            p.number = number;
            p.name = names[size_t(uniform(0, int64_t(names.size()) - 1))];
            p.north = random_eighths(m_rng, 999999);
            p.east = random_eighths(m_rng, 999999);
            p.elevation = random_eighths(m_rng, 9999);
            p.note = random_text(m_rng, 16);
            p.code = random_text(m_rng, 12);
            if (chance(0.02)) {
                PointValues gone = p;
                gone.number = chance(0.5) ? number : uint32_t(uniform(900000000, 999999999));
                records.push_back({gone, true});
                if (gone.number != number)
                    m_model.set(gone.number, std::nullopt);
            }
            records.push_back({p, false});
            m_model.set(number, p);
        }
        m_bytes = coord_file_bytes(records);
        write_host_file(m_base + ".dat", m_bytes);
    }

    // Opens the file, which builds both indexes; quit records it in the preferences. The time the builds
    // took is the span the kills are spread over.
    void first_open()
    {
        VarnoRun run(kVarno, m_root);
        ASSERT_TRUE(run.started());
        settle_start(run, &m_findings);
        ASSERT_TRUE(choose_file(run, "Coords/Open", kLargeDevicePath));
        Clock::time_point start = Clock::now();
        ASSERT_EQ(run.exchange({"menu \"OK\"", "wait 600000"}), std::vector<std::string>(2, "ok"));
        m_build_time = duration_cast<microseconds>(Clock::now() - start);
        settle_start(run, &m_findings);
        quit(run);
        check_large_file();
        ASSERT_EQ(m_findings.count(), 0u) << m_findings.summary();
    }

    // Reindex in a new run, killed at a random moment of the time a build takes.
    void reindex_and_kill(int round)
    {
        VarnoRun run(kVarno, m_root);
        settle_start(run, &m_findings);
        if (!choose_file(run, "Coords/Reindex", kLargeDevicePath)) {
            m_findings.add("editor", "Coords/Reindex did not offer the file browser");
            return;
        }
        run.send({"menu \"OK\"", "wait 600000"});
        const auto at = microseconds(uniform(0, m_build_time.count()));
        run.kill_at(Clock::now() + at);
        bool finished = run.answer() && run.answer();
        if (!run.finish_killed())
            m_findings.add("run", "the run ended before it was killed: " + run.errors());
        note_kill(!finished);
        m_log = "kill " + std::to_string(round + 1) + " at " + std::to_string(at.count() / 1000) + " ms of "
            + std::to_string(m_build_time.count() / 1000) + ": " + (finished ? "after the reindex" : "mid-reindex");
    }

    // The start after a kill (the indexes may be built again, nothing else may show), a sample of points
    // through the editor, then the files: the coordinate file as it was, both indexes complete.
    void check_after_kill()
    {
        {
            VarnoRun run(kVarno, m_root);
            settle_start(run, &m_findings);
            if (open_editor(run)) {
                check_in_editor(run, m_model, sample(kSample), &m_findings);
                run.ask("menu \"Cancel\"");
            } else {
                m_findings.add("editor", "the point editor did not open after the kill");
            }
            quit(run);
        }
        if (!check_large_file()) {
            drop_indexes(m_base);
            rebuild_cleanly();
        }
    }

    bool check_large_file()
    {
        size_t before = m_findings.count();
        if (read_host_file(m_base + ".dat") != m_bytes)
            m_findings.add("file", "the reindex changed the coordinate file");
        CoordImage image = read_coord_image(m_bytes);
        std::map<uint32_t, PointState> found;
        judge_coord_file(image, m_model, &m_findings, &found);
        judge_indexes(m_base, image, &m_findings);
        return m_findings.count() == before;
    }

    // Numbers to look up: the first and last of the file's numbers, and a random choice of the rest.
    std::vector<uint32_t> sample(size_t count)
    {
        std::vector<uint32_t> all = m_model.numbers(), out {all.front(), all.back()};
        std::sample(all.begin(), all.end(), std::back_inserter(out), count, m_rng);
        return out;
    }

    static constexpr size_t kSample = 250;
    std::string m_base;
    std::string m_bytes;
    microseconds m_build_time {0};
};

TEST_F(ReindexKills, AKillDuringReindexIsRepairedByTheNextStart)
{
    make_large_file(form().large_points);
    first_open();
    if (HasFatalFailure())
        return;
    for (int round = 0; round < form().reindex_kills; ++round) {
        reindex_and_kill(round);
        check_after_kill();
        log_round();
    }
}

}  // namespace
}  // namespace crash
