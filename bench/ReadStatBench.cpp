// Bare ReadStat, for DatasetBench to measure Quorin's import against: parses
// a Stata dataset's variables and value labels, as Quorin asks ReadStat to,
// and only counts them. Plain C++ on ReadStat alone, without Qt. Prints its
// peak resident memory.
#include <cstdio>
#include <cstring>
#include <readstat.h>

namespace {

struct Counts
{
    long variables = 0;
    long labels = 0;
};

int onVariable(int, readstat_variable_t *, const char *, void *counts)
{
    ++static_cast<Counts *>(counts)->variables;
    return READSTAT_HANDLER_OK;
}

int onValueLabel(const char *, readstat_value_t, const char *, void *counts)
{
    ++static_cast<Counts *>(counts)->labels;
    return READSTAT_HANDLER_OK;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: ReadStatBench FILE.dta\n");
        return 2;
    }
    Counts counts;
    readstat_parser_t *parser = readstat_parser_init();
    readstat_set_variable_handler(parser, &onVariable);
    readstat_set_value_label_handler(parser, &onValueLabel);
    readstat_set_handler_character_encoding(parser, nullptr);
    const readstat_error_t error = readstat_parse_dta(parser, argv[1], &counts);
    readstat_parser_free(parser);
    if (error != READSTAT_OK) {
        std::fprintf(stderr, "%s: %s\n", argv[1], readstat_error_message(error));
        return 1;
    }
    std::printf("%ld variables, %ld labels\n", counts.variables, counts.labels);
    // The peak resident memory of this process, from the kernel's count.
    if (FILE *status = std::fopen("/proc/self/status", "r")) {
        char line[256];
        while (std::fgets(line, sizeof line, status))
            if (std::strncmp(line, "VmHWM:", 6) == 0)
                std::fputs(line, stdout);
        std::fclose(status);
    }
    return 0;
}
