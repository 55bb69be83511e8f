# The two commands of the README:
#   make run   installs what is missing, builds, and starts the desktop program
#              in a working directory prepared with the shipped data files
#   make test  installs what is missing, builds, and runs every test
#   make screenshots  renders the windows of the desktop program in each language for the help (data/help/img)
#   make mutants  plants the seeded faults of tests/mutants.txt one by one and checks that the tests catch each
#                 (ONLY=id,id or a layer or folder for a subset; see docs/testing.md)
BUILD    ?= build
WORKDIR  ?= workdir
JOBS     ?= $(shell nproc)
GENERATOR = Ninja

export CCACHE_BASEDIR := $(CURDIR)
export CCACHE_NOHASHDIR := 1

.PHONY: format all deps configure build fuzz-build run test bench fuzz screenshots clean package package-check mutants

all: build

deps:
	@sh scripts/install-deps.sh

$(BUILD)/build.ninja:
	cmake -S . -B $(BUILD) -G $(GENERATOR)

configure: deps $(BUILD)/build.ninja

build: configure
	cmake --build $(BUILD) -j $(JOBS)

run: build
	@sh scripts/run.sh $(BUILD) $(WORKDIR)

# The tests include a short fuzz run of every reader, built with clang beside
# the main build so that the core keeps compiling with both compilers.
test: build fuzz-build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

# The Debian package (build/zendrik_<version>_<arch>.deb).
package: build
	cd $(BUILD) && cpack -G DEB

# Builds, checks, installs, runs and removes the package (needs root or sudo).
package-check: build
	@sh scripts/package-check.sh $(BUILD)

bench: build
	@for b in $(BUILD)/bench/bench_*; do [ -x "$$b" ] && "$$b"; done

# Line tables are all a sanitizer's report needs to name file and line.
build-fuzz/build.ninja:
	cmake -S . -B build-fuzz -G $(GENERATOR) -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	    -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O2 -gline-tables-only -DNDEBUG" \
	    -DZENDRIK_FUZZ=ON -DZENDRIK_BUILD_GUI=OFF -DZENDRIK_BUILD_BENCH=OFF -DZENDRIK_BUILD_TESTS=OFF

fuzz-build: deps build-fuzz/build.ninja
	cmake --build build-fuzz -j $(JOBS) --target fuzz_program_file fuzz_readers fuzz_knxnetip

# A longer run of the program-file reader, its new inputs kept in build-fuzz/corpus.
fuzz: fuzz-build
	mkdir -p build-fuzz/corpus
	build-fuzz/fuzz/fuzz_program_file -max_total_time=60 -max_len=70000 \
	    -artifact_prefix=fuzz/crashes/ build-fuzz/corpus fuzz/corpus

# Renders the start screen, the main frame, the dialogs and a printed page in
# each language into the help's picture folders (data/help/img/de, en, fr),
# then writes the help pages that show them.
SHOTS = data/help/img
screenshots: build
	$(BUILD)/ui/zendrik-screenshots data $(SHOTS)
	for lang in de en fr; do \
	    (cd data && ../$(BUILD)/cli/zendrik-cli --type 4 --lang $$lang print samples/Schule.zpg --pdf ../$(BUILD)/Schule-$$lang.pdf --lines 20 >/dev/null) || exit 1; \
	    pdftoppm -r 60 -f 1 -l 1 -png -singlefile $(BUILD)/Schule-$$lang.pdf $(SHOTS)/$$lang/printed-page || exit 1; \
	    (cd data && ../$(BUILD)/cli/zendrik-cli --type 4 --lang $$lang handover samples/Schule.zpg --pdf ../$(BUILD)/Schule-handover-$$lang.pdf --year 2027 >/dev/null) || exit 1; \
	    pdftoppm -r 60 -f $$(pdfinfo $(BUILD)/Schule-handover-$$lang.pdf | awk '/^Pages:/ {print $$2}') -l 9999 -png -singlefile $(BUILD)/Schule-handover-$$lang.pdf $(SHOTS)/$$lang/handover-year || exit 1; \
	done
	python3 scripts/make-help.py

# Not part of `make test`: each fault costs a build of the tests that catch it
# (in build-mutants, beside the main build).
mutants: deps
	@bash scripts/mutants.sh $(if $(ONLY),--only '$(ONLY)')

# Formats every C++ file with .clang-format (Debian package clang-format).
format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD) build-fuzz build-mutants
