#!/bin/sh
# What both release packages carry, read from the packages themselves (no Wine needed):
#   1. every program and DLL of the zip (the package's files) has ASLR with the relocations it
#      needs (DYNAMIC_BASE, a .reloc section, HIGH_ENTROPY_VA on x64) and DEP (NX_COMPAT), and
#      imports only libraries that the package ships or Windows provides (and KOVQMX.DLL, which the
#      maker's installer provides);
#   2. a repair without PASSWORD writes back the Password there is: the value is written from
#      [PASSWORD], which a custom action sets, in every run of the installed product and before
#      the features are costed, to what a raw search of that same value found; a PASSWORD given
#      that begins with "#" is escaped before; the component writing it is neither conditional
#      nor transitive (either could remove the value on a repair).
#   check-packages.sh <release-dir> <version>
set -eu
release=$(cd "$1" && pwd) version=$2
objdump=$(command -v x86_64-w64-mingw32-objdump || command -v objdump)  # both read x86 and x64 files
provided='ADVAPI32.DLL COMCTL32.DLL COMDLG32.DLL GDI32.DLL KERNEL32.DLL MSVCRT.DLL OLE32.DLL SHELL32.DLL
  USER32.DLL VERSION.DLL WINSPOOL.DRV KOVQMX.DLL'
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
status=0
fail() { echo "FAIL ($arch): $*" >&2; status=1; }

for arch in x86 x64; do
  pkg="$release/remotepanel-$version-$arch.msi"
  mkdir "$work/$arch"
  (cd "$work/$arch" && cmake -E tar xf "$release/remotepanel-$version-$arch.zip")
  known=" $(echo $provided) $(find "$work/$arch" -type f -exec basename {} \; | tr '[:lower:]' '[:upper:]' | tr '\n' ' ')"
  flags="DYNAMIC_BASE NX_COMPAT"
  [ $arch = x86 ] || flags="$flags HIGH_ENTROPY_VA"
  files=$(cd "$work/$arch" && find . -type f \( -iname '*.exe' -o -iname '*.dll' \))
  [ -n "$files" ] || fail "no programs in the zip"
  for file in $files; do
    headers=$("$objdump" -p "$work/$arch/$file")
    for flag in $flags; do echo "$headers" | grep -qw "$flag" || fail "$file: no $flag"; done
    "$objdump" -h "$work/$arch/$file" | grep -q ' \.reloc ' || fail "$file: no .reloc section"
    for dll in $(echo "$headers" | sed -n 's/^[[:space:]]*DLL Name: //p' | tr '[:lower:]' '[:upper:]'); do
      case $known in *" $dll "*) ;; *) fail "$file imports $dll, which neither the package nor Windows provides" ;; esac
    done
  done

  for name in Registry RegLocator AppSearch CustomAction InstallExecuteSequence Component; do
    msiinfo export "$pkg" $name | tr -d '\r' | tail -n +4 > "$work/$arch.$name"
  done
  (cd "$work" && awk -F'\t' -v arch=$arch '
    FILENAME ~ /Registry$/ && $4 == "Password" { root = $2; key = $3; value = $5; component = $6 }
    FILENAME ~ /RegLocator$/ { located[$1] = $2 "\t" $3 "\t" $4 "\t" $5 }
    FILENAME ~ /AppSearch$/ { signature[$1] = $2 }
    FILENAME ~ /CustomAction$/ && $2 % 64 == 51 { sets[$1] = $3; to[$1] = $4 }  # sets a property
    FILENAME ~ /InstallExecuteSequence$/ { condition[$1] = $2; at[$1] = $3 + 0 }
    FILENAME ~ /Component$/ { attributes[$1] = $4; componentCondition[$1] = $5 }
    function problem(text) { print "FAIL (" arch "): " text > "/dev/stderr"; failed = 1 }
    END {
      property = substr(value, 2, length(value) - 2)
      # A raw search (type 2; +16: the 64-bit view, which the x64 package writes) of that value.
      wanted = root "\t" key "\tPassword\t" (arch == "x86" ? 2 : 18)
      for (p in signature) if (located[signature[p]] == wanted) found = p
      for (a in sets) if (sets[a] == property && to[a] == "[" found "]" && found != "") keep = a
      for (a in sets) if (sets[a] == property && to[a] == "#[" property "]") escape = a
      if (value != "[" property "]" || keep == "" || !(at["AppSearch"] < at[keep] && at[keep] < at["CostFinalize"]))
        problem("Password is not written from a property set by a raw search of it before costing")
      else if (condition[keep] !~ /Installed/ || condition[keep] ~ /NOT Installed/)
        problem(keep " does not run in a repair: " condition[keep])
      if (escape == "" || condition[escape] != property " << \"#\"" || !(at[escape] < at[keep]))
        problem("a " property " that begins with # is not escaped before " keep)
      if (int(attributes[component] / 64) % 2 || componentCondition[component] != "")
        problem("the component " component " that writes Password is transitive or conditional")
      exit failed
    }' $arch.Registry $arch.RegLocator $arch.AppSearch $arch.CustomAction $arch.InstallExecuteSequence \
       $arch.Component) || status=1
done
[ $status = 0 ] && echo "both packages: hardened programs with known imports; a repair keeps the Password"
exit $status
