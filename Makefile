# Two commands on a fresh Debian 12 machine: `make run` and `make test`.
BUILD    ?= build
DIST     ?= dist/Tratte
JOBS     ?= 2
MAKEFLAGS += --no-print-directory
PACCHETTI = cmake g++ make pkg-config qt6-base-dev libgl-dev libsqlcipher-dev \
            libssl-dev libgtest-dev libgmock-dev libbenchmark-dev \
            poppler-utils

.PHONY: run test build configure deps install deb prova-deb bench bench-nazionale clean

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
