#!/usr/bin/env python3
"""Helper of compare-with-cpuid.sh.

raw DUMP: writes processor 0's leaves of a dump as cpuid's raw input.
compare DIR: compares DIR/NAME.json (tachora-info) with DIR/NAME.txt (cpuid) for each
NAME of DIR/names, prints the differences and fails on one not explained below.
"""
import json
import re
import sys


def raw(path):
    print("CPU 0:")
    with open(path, encoding="utf-8", errors="replace") as dump:
        for line in dump:
            words = line.split()
            if line.startswith("# cpu:"):
                break
            if line.startswith("#") or len(words) != 5:
                continue
            leaf, _, sub = words[0].partition(":")
            regs = [int(w, 16) for w in words[1:]]
            print("   0x%08x 0x%02x: eax=0x%08x ebx=0x%08x ecx=0x%08x edx=0x%08x"
                  % (int(leaf, 16), int(sub or "0", 16), *regs))


if __name__ == "__main__" and sys.argv[1] == "raw":
    raw(sys.argv[2])
    sys.exit(0)


# Linux name, the start of cpuid's line for the same bit (flags without a line here are
# not compared: cpuid words them in ways too loose to match).
FLAG_LINES = {
    "fpu": "x87 FPU on chip", "vme": "VME: virtual-8086", "de": "DE: debugging",
    "pse": "PSE: page size", "tsc": "TSC: time stamp", "msr": "RDMSR and WRMSR",
    "pae": "PAE: physical address", "mce": "MCE: machine check", "cx8": "CMPXCHG8B inst",
    "apic": "APIC on chip", "sep": "SYSENTER and SYSEXIT", "mtrr": "MTRR: memory type",
    "pge": "PTE global bit", "mca": "MCA: machine check", "cmov": "CMOV: conditional",
    "pat": "PAT: page attribute", "pse36": "PSE-36: page size", "clflush": "CLFLUSH instruction",
    "mmx": "MMX Technology", "fxsr": "FXSAVE/FXRSTOR", "sse": "SSE extensions",
    "sse2": "SSE2 extensions", "ss": "SS: self snoop", "tm": "TM: therm. monitor",
    "pni": "PNI/SSE3", "pclmulqdq": "PCLMULDQ instruction", "monitor": "MONITOR/MWAIT",
    "vmx": "VMX: virtual machine", "smx": "SMX: safer mode", "tm2": "TM2: thermal monitor 2",
    "ssse3": "SSSE3 extensions", "fma": "FMA instruction", "cx16": "CMPXCHG16B instruction",
    "pcid": "PCID: process context", "sse4_1": "SSE4.1 extensions", "sse4_2": "SSE4.2 extensions",
    "x2apic": "x2APIC: extended", "movbe": "MOVBE instruction", "popcnt": "POPCNT instruction",
    "aes": "AES instruction", "xsave": "XSAVE/XSTOR states", "avx": "AVX: advanced vector extensions",
    "f16c": "F16C half-precision", "rdrand": "RDRAND instruction", "hypervisor": "hypervisor guest",
    "arat": "ARAT always running", "fsgsbase": "FSGSBASE instructions", "bmi1": "BMI1 instructions",
    "avx2": "AVX2: advanced vector", "smep": "SMEP supervisor", "bmi2": "BMI2 instructions",
    "erms": "enhanced REP MOVSB", "invpcid": "INVPCID instruction", "rtm": "RTM: restricted",
    "hle": "HLE hardware lock", "avx512f": "AVX512F:", "avx512dq": "AVX512DQ:",
    "rdseed": "RDSEED instruction", "adx": "ADX instructions", "smap": "SMAP: supervisor",
    "avx512ifma": "AVX512IFMA:", "clflushopt": "CLFLUSHOPT instruction", "clwb": "CLWB instruction",
    "avx512cd": "AVX512CD:", "sha_ni": "SHA instructions", "avx512bw": "AVX512BW:",
    "avx512vl": "AVX512VL:", "avx512vbmi": "AVX512VBMI:", "umip": "UMIP: user-mode",
    "pku": "PKU protection keys", "waitpkg": "WAITPKG instructions", "avx512_vbmi2": "AVX512_VBMI2:",
    "shstk": "CET_SS: CET shadow", "gfni": "GFNI: Galois", "vaes": "VAES instructions",
    "vpclmulqdq": "VPCLMULQDQ instruction", "avx512_vnni": "AVX512_VNNI:",
    "avx512_bitalg": "AVX512_BITALG:", "avx512_vpopcntdq": "AVX512: VPOPCNTDQ",
    "la57": "LA57: 57-bit", "rdpid": "RDPID: read processor", "movdiri": "MOVDIRI instruction",
    "movdir64b": "MOVDIR64B instruction", "fsrm": "fast short REP MOV",
    "avx512_vp2intersect": "AVX512_VP2INTERSECT:", "serialize": "SERIALIZE instruction",
    "ibt": "CET_IBT: CET indirect", "amx_bf16": "AMX-BF16:", "avx512_fp16": "AVX512_FP16:",
    "amx_tile": "AMX-TILE:", "amx_int8": "AMX-INT8:", "avx_vnni": "AVX-VNNI:",
    "avx512_bf16": "AVX512_BF16:", "cmpccxadd": "CMPccXADD instructions", "amx_fp16": "AMX-FP16:",
    "avx_ifma": "AVX-IFMA:", "xsaveopt": "XSAVEOPT instruction", "xsavec": "XSAVEC instruction",
    "xsaves": "XSAVES/XRSTORS instructions", "lahf_lm": "LAHF/SAHF supported",
    "abm": "LZCNT advanced bit", "sse4a": "SSE4A support", "misalignsse": "misaligned SSE mode",
    "3dnowprefetch": "3DNow! PREFETCH/PREFETCHW", "topoext": "topology extensions",
    "syscall": "SYSCALL and SYSRET", "nx": "no-execute page", "pdpe1gb": "1-GB large page",
    "rdtscp": "RDTSCP", "lm": "long mode", "clzero": "CLZERO instruction",
}

# Differences understood, by dump and field, with the reason: cpuid 20230120 (Debian 12)
# predates several parts, reads the topology leaves' middle levels otherwise, and takes a
# dump of sub-leaf 0 alone for a whole deterministic cache list.
NEWER_THAN_CPUID = "cpuid 20230120 has no entry for this model; the table names it"
EXPLAINED = [
    ("amd-graniteridge-0b40f40", "codename", NEWER_THAN_CPUID),
    ("amd-phoenix-0a70f52", "codename", NEWER_THAN_CPUID),
    ("amd-strixpoint-0b20f40", "codename", NEWER_THAN_CPUID),
    ("amd-turin-0b00f21", "codename", NEWER_THAN_CPUID),
    ("intel-lunarlake-00b06d1", "codename", NEWER_THAN_CPUID),
    ("zhaoxin-kx7000-00607b1", "codename", NEWER_THAN_CPUID),
    ("hygon-hygon-0900f11", "codename", "cpuid knows Hygon model 0 only; model 1 is Dhyana too"),
    ("intel-arrowlakeu-00b0650", "codename",
     "model 0xB5 is Arrow Lake-U (Core Ultra 7 265U); cpuid guesses Meteor Lake from the core"),
    ("intel-arrowlakeu-00b0650", "topology",
     "cpuid takes 0x1F's module level for the package; 2P+8E+2LPE cores, 14 threads"),
    ("intel-meteorlake-00a06a4", "topology",
     "cpuid takes 0x1F's module level for the package; 4P+8E+2LPE cores, 18 threads"),
    ("intel-lunarlake-00b06d1", "topology",
     "cpuid finds no hyper-threading and stops; 4P+4E cores, 8 threads, from 0x1F"),
    ("zhaoxin-kx7000-00607b1", "topology", "cpuid has no topology method for this vendor"),
    ("amd-vermeer-0a20f12", "topology",
     "the dump records one processor; CPUID declares 16 per package (we say both)"),
    ("amd-vermeer-0a20f12", "caches",
     "no sub-leaves recorded: cpuid lists 0x8000001D sub-leaf 0 alone, we read 0x80000005/6"),
    ("intel-core2-penryn-10676", "caches",
     "no sub-leaves recorded: cpuid lists leaf 4 sub-leaf 0 alone, we read leaf 2"),
    ("intel-core-i7-haswell-306c3", "caches",
     "no sub-leaves recorded: cpuid lists leaf 4 sub-leaf 0, we leaf 2's and 0x80000006's L2"),
    ("intel-core-i7-haswell-306c3", "topology",
     "no leaf 0xB sub-leaves recorded: cpuid shows threads only; we bound leaf 4 by the count"),
]

# Flags the kernel makes up itself or reads from elsewhere than these leaves.
KERNEL_ONLY = {
    "cpuid", "rep_good", "nopl", "xtopology", "nonstop_tsc", "extd_apicid", "tsc_known_freq",
    "vmmcall", "cpuid_fault", "tsc_reliable", "nonstop_tsc_s3", "art", "arch_perfmon", "pebs",
    "bts", "ibrs", "ibpb", "stibp", "ssbd", "ibrs_enhanced", "flexpriority", "tpr_shadow",
    "vnmi", "ept", "vpid", "ept_ad", "user_shstk", "pti", "invpcid_single", "cat_l3",
    "cdp_l3", "cat_l2", "cdp_l2", "cqm_llc", "cqm_occup_llc", "cqm_mbm_total",
    "cqm_mbm_local", "split_lock_detect", "amd_lbr_v2", "perfmon_v2", "xtpr", "cx8", "sme",
    "constant_tsc", "aperfmperf", "tsc_deadline_timer", "flush_l1d", "arch_capabilities",
    "mba", "overflow_recov", "succor", "smca", "ring3mwait", "tme", "amd_dcm", "lbrv",
    "ibpb_exit_to_user",
}


def cpuid_flags(text):
    states = {}
    for line in text.splitlines():
        head, _, value = line.rpartition("=")
        value = value.strip()
        if value not in ("true", "false"):
            continue
        head = head.strip()
        for name, start in FLAG_LINES.items():
            if head.startswith(start):
                states[name] = states.get(name, False) or value == "true"
    return states


def cpuid_caches(text):
    caches, current = [], None
    deterministic = False
    for line in text.splitlines():
        stripped = line.strip()
        if line.startswith("   ") and not line.startswith("    "):  # a section's title
            deterministic = stripped.startswith("deterministic cache parameters (4)") or \
                stripped.startswith("Cache Properties (0x8000001d)")
            current = None
        if stripped.startswith("--- cache") and deterministic:
            current = {}
            caches.append(current)
        if current is None:
            continue
        key, _, value = stripped.partition("=")
        key, value = key.strip(), value.strip()
        number = re.search(r"\((\d+)\)", value)
        if key in ("cache type", "type"):
            current["type"] = value.split()[0]
        elif key in ("cache level", "level") and number:
            current["level"] = int(number.group(1))
        elif key in ("ways of associativity", "number of ways") and number:
            current["ways"] = int(number.group(1))
        elif key in ("(size synth)", "(synth size)"):
            current["size"] = int(value.split()[0])
        elif key.startswith("fully associative") and value == "true":
            current["ways"] = 0
    result = [(c["level"], c["type"], c.get("size", 0), c.get("ways", 0))
              for c in caches if c.get("type") in ("data", "instruction", "unified")]
    return sorted(result)


def synth_line(text, label):
    for line in text.splitlines():
        if line.strip().startswith("(%s) =" % label):
            return line.split("=", 1)[1].strip()
    return ""


def simplified(text):
    return re.sub(r"[^a-z0-9]", "", text.lower())


def kernel_check(work):
    """Live: every flag the kernel lists that comes from these leaves is ours too."""
    try:
        with open("/proc/cpuinfo") as f:
            line = next(l for l in f if l.startswith("flags"))
        with open(work + "/live.json") as f:
            ours = set(json.load(f)["flags"])
    except (OSError, StopIteration):
        return
    kernel = set(line.split(":", 1)[1].split())
    missing = sorted(kernel - ours - KERNEL_ONLY)
    made_up = sorted((kernel - ours) & KERNEL_ONLY)
    print("live: the kernel lists %d flags; not ours, made up by the kernel: %s"
          % (len(kernel), " ".join(made_up) or "none"))
    print("live: kernel flags from these leaves that we miss: %s" % (" ".join(missing) or "none"))


def compare(work):
    differences = []
    with open(work + "/names") as names:
        for name in names.read().split():
            with open("%s/%s.json" % (work, name)) as f:
                ours = json.load(f)
            with open("%s/%s.txt" % (work, name), errors="replace") as f:
                text = f.read()
            theirs = cpuid_flags(text)
            mine = set(ours["flags"])
            for flag, present in sorted(theirs.items()):
                if present != (flag in mine):
                    differences.append((name, "flags", flag, "yes" if flag in mine else "no",
                                        "yes" if present else "no"))
            ours_caches = sorted((c["level"], c["type"], c["size"], c["ways"])
                                 for c in ours["caches"])
            their_caches = cpuid_caches(text)
            if their_caches and ours_caches != their_caches:
                differences.append((name, "caches", "", str(ours_caches), str(their_caches)))
            synth = synth_line(text, "synth")
            uarch = ours["microarchitecture"]
            names_ours = [uarch["name"]] + [n.split("-")[0] for n in uarch["codename"].split(", ")]
            if not any(simplified(n) in simplified(synth) for n in names_ours):
                differences.append((name, "codename", "", "%s (%s)" % (uarch["codename"],
                                    uarch["name"]), synth or "-"))
            mp = synth_line(text, "multi-processing synth")
            cores = re.search(r"c=(\d+)", mp)
            threads = re.search(r"t=(\d+)", mp)
            topo = ours["topology"]
            # cpuid's c counts the logical processors of a package, t the threads of a core.
            per_package = topo["logical"] // max(1, topo["packages"])
            if not topo.get("counted", True):
                per_package = topo["cores"] * topo["threads_per_core"]
            their_logical = int(cores.group(1)) if cores else \
                int(threads.group(1)) if threads else 1
            their_threads = int(threads.group(1)) if threads else 1
            # With t= shown, cpuid's c counts cores on some parts and threads on others.
            agree = their_logical == per_package or (threads and their_logical == topo["cores"])
            if not agree or (threads and their_threads != topo["threads_per_core"]):
                differences.append((name, "topology", "",
                                    "%d per package, t=%d" % (per_package,
                                                              topo["threads_per_core"]),
                                    mp or "-"))
    kernel_check(work)
    unexplained = 0
    print("%-30s %-9s %-14s %-36s %s" % ("dump", "field", "item", "tachora-info", "cpuid"))
    for name, field, item, mine, theirs in differences:
        reason = next((r for d, f, r in EXPLAINED if d == name and f == field), None)
        if reason is None:
            unexplained += 1
        print("%-30s %-9s %-14s %-36s %s" % (name[:30], field, item, mine[:36], theirs[:60]))
        print("%-30s %s" % ("", "NOT EXPLAINED" if reason is None else "explained: " + reason))
    print("compare-with-cpuid: %d differences, %d not explained" % (len(differences),
                                                                      unexplained))
    return 1 if unexplained else 0


if __name__ == "__main__" and sys.argv[1] == "compare":
    sys.exit(compare(sys.argv[2]))
