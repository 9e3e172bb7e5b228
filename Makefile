# Thin front door over CMake: `make run` and `make test` are all a newcomer needs.
# Both install what is missing first (see scripts/install-deps.sh).

JOBS ?= $(shell nproc)

.PHONY: deps build run test test-long package hostile clean \
	deps-windows windows run-windows test-windows package-windows release

deps:
	./scripts/install-deps.sh

build: deps
	cmake --preset release
	cmake --build --preset release -j $(JOBS)

run: build
	./build/app/tramela

# The long randomized runs (ctest label "long") are left to `make test-long`.
test: build
	ctest --preset release -j $(JOBS) -LE long

test-long: build
	ctest --preset release -j $(JOBS) -L long

# The Debian package, build/tramela_<version>_amd64.deb (see README: Install).
package: build
	cd build && cpack -G DEB

# Hostile input: every test under AddressSanitizer and UndefinedBehaviorSanitizer, then the
# fuzzer, which replays its corpus and fuzzes for FUZZ_SECONDS; any finding fails.
FUZZ_SECONDS ?= 60
hostile: deps
	cmake --preset sanitize
	cmake --build --preset sanitize -j $(JOBS)
	ctest --preset sanitize -j $(JOBS) $(SANITIZE_CTEST_ARGS)
	JOBS=$(JOBS) ./fuzz/run.sh $(FUZZ_SECONDS)

# Windows: build-windows/app/tramela.exe, cross-built against a static Qt for Windows that
# scripts/build-qt-windows.sh puts in ~/.cache (unpacked from ../shared/windows where it is
# there, else built once from Debian's source, 40 to 60 minutes); tested under Wine.
deps-windows:
	./scripts/install-deps.sh windows

windows: deps-windows
	./scripts/build-qt-windows.sh
	cmake --preset windows
	cmake --build --preset windows -j $(JOBS)

# tramela.exe under Wine, in a Wine prefix of the build's own.
run-windows: windows
	./build-windows/tramela-wine

# The zip and the installer, in build-windows/. Their notices are read from Qt's source,
# Debian's qt6-base source package, fetched once into ~/.cache/tramela/qt6-base-source.
package-windows: windows
	./scripts/qt-source.sh
	cmake --build --preset windows --target package_windows

test-windows: package-windows
	ctest --preset windows -j $(JOBS)

# Every download of a release in dist/ (DIST=<folder> elsewhere), made from the last commit and
# tested, the same bytes from any clone; signed with TRAMELA_SIGN_PKCS12=<file.p12>
# TRAMELA_SIGN_PASSWORD_FILE=<file> (see docs/releases.md and scripts/release.sh).
release: deps deps-windows
	JOBS=$(JOBS) ./scripts/release.sh

clean:
	rm -rf build build-* dist
