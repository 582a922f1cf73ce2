// A policy file read as a Java runtime reads it (one that does not parse
// grants nothing): for each code base, which of Pluvik's grant, the file
// permission of its block and the stock grant to all code it gives, one line
// each, "-" for none.   java PolicyCheck.java FILE CODEBASE...
import java.io.File;
import java.io.FilePermission;
import java.net.URL;
import java.security.*;

@SuppressWarnings("removal")
public class PolicyCheck {
    public static void main(String[] args) throws Exception {
        Policy policy = Policy.getInstance("JavaPolicy", new URIParameter(new File(args[0]).toURI()));
        String[] names = {"loadLibrary.Pluvik", "files", "stopThread"};
        Permission[] probes = {new RuntimePermission("loadLibrary.Pluvik"),
                               new FilePermission("<<ALL FILES>>", "read, write, delete"),
                               new RuntimePermission("stopThread")};
        for (int i = 1; i < args.length; ++i) {
            ProtectionDomain code = new ProtectionDomain(new CodeSource(new URL(args[i]), (CodeSigner[]) null), null);
            StringBuilder granted = new StringBuilder();
            for (int p = 0; p < probes.length; ++p)
                if (policy.implies(code, probes[p]))
                    granted.append(granted.length() > 0 ? " " : "").append(names[p]);
            System.out.println(granted.length() > 0 ? granted : "-");
        }
    }
}
