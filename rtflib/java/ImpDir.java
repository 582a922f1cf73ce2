// The Java client's class as the library sees it: javac -h gives the C
// declaration the library is compiled against.
public class ImpDir {
    public native int ImpDir_RTF(byte[] file, byte[] printer);
}
