# Two commands on a fresh Debian 12 machine: `make run` and `make test`.
BUILD    ?= build
DIST     ?= dist/Tratte
JOBS     ?= 2
MAKEFLAGS += --no-print-directory
PACCHETTI = cmake g++ make pkg-config qt6-base-dev libgl-dev libsqlcipher-dev \
            libssl-dev libgtest-dev libgmock-dev libbenchmark-dev \
            poppler-utils

.PHONY: run test build configure deps install deb prova-deb bench bench-nazionale clean test-asan fuzz

deps:
	@scripts/installa-pacchetti $(PACCHETTI)

configure: deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null

build: configure
	@cmake --build $(BUILD) -j$(JOBS)

install: build
	@cmake --install $(BUILD) --prefix $(abspath $(DIST)) >/dev/null

test: build
	@cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j$(JOBS)

# The whole suite under AddressSanitizer and UndefinedBehaviorSanitizer, in
# its own build folder, without the timing programs. A unity build with -O1
# and line tables only (-g1) keeps it quick to build and run on two cores;
# reports still name files and lines. Any report fails the test that caused it.
ASAN_BUILD ?= build-asan
ASAN_ENV = ASAN_OPTIONS=detect_leaks=1:abort_on_error=0:strict_string_checks=1:detect_stack_use_after_return=0 \
           LSAN_OPTIONS=suppressions=$(abspath scripts/lsan.supp):print_suppressions=0 \
           UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
test-asan: deps
	@$(ASAN_ENV) cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g1" -DCMAKE_C_FLAGS_RELWITHDEBINFO="-O1 -g1" \
	  -DCMAKE_UNITY_BUILD=ON -DCMAKE_UNITY_BUILD_BATCH_SIZE=12 \
	  -DTRATTE_SANITIZZATORI=ON -DTRATTE_BENCH=OFF >/dev/null
	@$(ASAN_ENV) cmake --build $(ASAN_BUILD) -j$(JOBS)
	@cd $(ASAN_BUILD) && $(ASAN_ENV) QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j$(JOBS)

# The fuzz targets of fuzz/, built with clang's libFuzzer in their own build
# folder, run one after the other for FUZZ_SECONDI each (or FUZZ_ESECUZIONI
# inputs, whichever comes first); FUZZ_BERSAGLI picks some of them.
FUZZ_BUILD      ?= build-fuzz
FUZZ_SECONDI    ?= 900
FUZZ_ESECUZIONI ?= 10000000
FUZZ_BERSAGLI   ?=
fuzz:
	@scripts/installa-pacchetti $(PACCHETTI) clang-14 libclang-rt-14-dev
	@cmake -S . -B $(FUZZ_BUILD) -DCMAKE_C_COMPILER=clang-14 -DCMAKE_CXX_COMPILER=clang++-14 \
	  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g" \
	  -DTRATTE_FUZZ=ON -DTRATTE_BENCH=OFF >/dev/null
	@cmake --build $(FUZZ_BUILD) --target fuzz -j$(JOBS)
	@scripts/fuzz $(FUZZ_BUILD)/fuzz $(FUZZ_SECONDI) $(FUZZ_ESECUZIONI) $(FUZZ_BERSAGLI)

# The Debian package build/tratte_VERSION_ARCH.deb, checked by lintian.
deb: build
	@scripts/installa-pacchetti dpkg-dev file lintian librsvg2-bin
	@cmake -S . -B $(BUILD) >/dev/null
	@cmake --build $(BUILD) -j$(JOBS) --target pacchetto_file
	@cd $(BUILD) && cpack -G DEB >/dev/null
	@lintian --fail-on error $(BUILD)/tratte_*.deb
	@ls $(BUILD)/tratte_*.deb

# The package installed on a clean Debian 12 made by debootstrap, then
# tratte-cli province and tratte started by an ordinary user (root; a few
# minutes; not part of make test).
prova-deb: deb
	@scripts/prova-pacchetto $(BUILD)

# An empty archive gets the sample series of the installation.
run: install
	@$(DIST)/tratte-cli registra
	@caricate=$$($(DIST)/tratte-cli province) || exit 1; \
	 if [ -z "$$caricate" ]; then $(DIST)/tratte-cli carica $(DIST)/Esempi || exit 1; fi
	@$(DIST)/tratte

bench: build
	@$(BUILD)/bench/bench-tabelle $(BUILD)/bench-dati
	@$(BUILD)/bench/bench-griglia $(BUILD)/bench-dati
	@$(BUILD)/bench/bench-modifica $(BUILD)/bench-dati
	@$(BUILD)/bench/bench-comandi $(BUILD)/bench-dati
	@$(BUILD)/bench/bench-comuni $(BUILD)/ArchivioComuni $(BUILD)/directory/libborgal.so
	@$(BUILD)/bench/bench-navigazione $(BUILD)/bench-navigazione $(BUILD)/ArchivioComuni $(BUILD)/directory/libborgal.so
	@$(BUILD)/bench/bench-caricamento $(BUILD)/bench-caricamento
	@$(BUILD)/bench/bench-ricerca $(BUILD)/bench-navigazione $(BUILD)/ArchivioComuni $(BUILD)/Archivi
	@scripts/installa-pacchetti sqlite3 strace
	@$(BUILD)/bench/bench-lettura $(BUILD)/bench-lettura $(BUILD)/ArchivioComuni $(BUILD)/directory/libborgal.so \
	  $(BUILD)/cli/tratte-cli $(BUILD)/Archivi data/ArchivioComuni
	@$(BUILD)/bench/bench-libretto $(BUILD)/bench-lettura $(BUILD)/ArchivioComuni $(BUILD)/directory/libborgal.so \
	  $(BUILD)/cli/tratte-cli $(BUILD)/Archivi data/ArchivioComuni $(BUILD)/outside/pregeo/libvtrpregeo.so
	@$(BUILD)/bench/bench-stampa $(BUILD)/bench-stampa $(BUILD)/ArchivioComuni $(BUILD)/directory/libborgal.so \
	  $(BUILD)/cli/tratte-cli $(BUILD)/Archivi

# The national archive: 20 provinces of 1,000,000 rows (about 4 GB on disk).
bench-nazionale: build
	@$(BUILD)/bench/bench-lettura $(BUILD)/bench-lettura $(BUILD)/ArchivioComuni $(BUILD)/directory/libborgal.so \
	  $(BUILD)/cli/tratte-cli $(BUILD)/Archivi data/ArchivioComuni --nazionale

clean:
	rm -rf $(BUILD) dist
